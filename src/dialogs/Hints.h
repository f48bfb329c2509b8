#pragma once

class QWidget;

namespace verdal {

// Hints (tool tips) follow the program option "Tooltips": with it off, `window` and every
// control in it lose their hints. Windows set their hints while they are built and call this
// once they know the option.
void ApplyHintOption(QWidget* window, bool tooltips);

}  // namespace verdal
