#pragma once

#include <memory>
#include <string>
#include <vector>

namespace verdal {

class cParameters;

// One line of the settings summary and the lines below it.
struct SummaryNode
{
    std::string Text;
    std::vector<std::unique_ptr<SummaryNode>> Children;

    // Appends a child line and returns it.
    SummaryNode& Add(std::string text);
};

// The settings summary of the open document of `params` (profile, batch file or unknown kind):
// the top-level lines are the children of the returned root, whose own text is empty. The
// group nodes are recorded in params.Groups (reset first) and stay valid while the tree lives.
std::unique_ptr<SummaryNode> BuildSummary(cParameters& params);

// The tree as text for a terminal: one line per node, indented by two blanks per level.
std::string SummaryText(const SummaryNode& root);

}  // namespace verdal
