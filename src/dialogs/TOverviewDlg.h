#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include <QColor>
#include <QDialog>
#include <QFont>

#include "settings/Parameters.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace verdal {

// Stored colours are 0x00BBGGRR.
QColor ColorFromStored(uint32_t value);
uint32_t StoredFromColor(const QColor& color);
// The colour a review list row uses: the system's for a "System" choice (blocks: the base
// colours of the palette; actions: the text colour), else the stored one.
QColor EffectiveOverviewColor(const cOverviewParameters& overview, int index,
                              const QPalette& palette);

// Paints the sample rows of the review list in the chosen colours.
class TOverviewPreview : public QWidget
{
    Q_OBJECT

public:
    explicit TOverviewPreview(QWidget* parent = nullptr);
    void SetSettings(const cOverviewParameters& settings);
    QSize sizeHint() const override { return {220, 90}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    cOverviewParameters settings_;
};

// "Übersicht": display settings of the review list.
class TOverviewDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TOverviewDlg(QWidget* parent = nullptr);

    void LoadFrom(const cParameters& params);
    void SaveTo(cParameters& params) const;
    static bool Open(QWidget* parent, cParameters& params, int page);

    // The colour and font choosers; tests replace them. Empty = cancelled.
    std::function<std::optional<QColor>(QWidget*, const QColor&)> ChooseColor;
    std::function<std::optional<QFont>(QWidget*, const QFont&)> ChooseFont;

    QRadioButton *OpenRbt, *ClosedRbt, *OneLineRbt, *TwoLineRbt;
    QCheckBox *FilterSizesChk, *FilterDoubleChangeChk, *FilterPropertiesOnlyChk;
    std::array<QRadioButton*, 6> SystemRbt{}, CustomRbt{};
    std::array<QPushButton*, 6> ColorBtn{};
    std::array<QLabel*, 6> ColorPnl{};
    QCheckBox* AlwaysShowPathsChk;
    QPushButton* FontBtn;
    QLabel* FontLbl;
    TOverviewPreview* PreviewPnl;
    QPushButton *OkBtn, *CancelBtn;

private:
    void PickColor(int index);
    void PickFont();
    void ShowColor(int index);
    void Repaint();
    cOverviewParameters Current() const;

    std::array<uint32_t, 6> colors_{};
    QString fontName_;
    int fontSize_ = 8;
};

}  // namespace verdal
