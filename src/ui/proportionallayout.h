#pragma once

#include <QList>

class QHeaderView;
class QWidget;

namespace kesto {

/// Left edge, top edge, width and height of a control, in twips.
struct LayoutGeometry
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    friend bool operator==(const LayoutGeometry &, const LayoutGeometry &) = default;
};

/// How a managed control follows the growth of the window.
enum class LayoutRule {
    GrowBoth,          ///< width + DeltaW, height + DeltaH (the list and its frame)
    MoveDownGrowWidth, ///< top + DeltaH, width + DeltaW (the option area, the status bar)
    GrowWidth,         ///< width + DeltaW (progress bar, mask field, tab strip)
    MoveRight,         ///< left + DeltaW (the two areas at the right)
    ListColumn,        ///< width + DeltaW / 4 (the first three list columns)
};

/// The growth of the window over its recorded size, in twips; negative down
/// to the smallest size.
struct LayoutGrowth
{
    double deltaW = 0;
    double deltaH = 0;
    bool widthBelowSmallest = false;  ///< the window goes back to its smallest width
    bool heightBelowSmallest = false; ///< the window goes back to its smallest height

    friend bool operator==(const LayoutGrowth &, const LayoutGrowth &) = default;
};

/// The growth of a window recorded as \a recordedWindow, which may shrink to
/// the width and height of \a smallest, and now measures \a width by \a height twips.
LayoutGrowth ComputeGrowth(const LayoutGeometry &recordedWindow, const LayoutGeometry &smallest,
                           double width, double height);

/// Where a control recorded at \a recorded goes after \a growth; always
/// computed from the recorded values, never from the current ones.
LayoutGeometry ApplyLayoutRule(LayoutRule rule, const LayoutGeometry &recorded,
                               const LayoutGrowth &growth);

/// The window's proportional layout: records the designed geometry of the
/// managed controls once and, on every resize, places them by their rules.
/// Pixels convert to twips at 15 twips per pixel.
class ProportionalLayout
{
public:
    struct Managed
    {
        QWidget *widget = nullptr;
        LayoutRule rule = LayoutRule::GrowWidth;
    };

    /// Records \a window, whose minimum size is the smallest it may get, the \a controls in the
    /// order given (which is the order the rules are applied in) and the sections of \a columns
    /// (may be null); the first \a growingColumns sections follow LayoutRule::ListColumn.
    void RecordGeometry(QWidget *window, const QList<Managed> &controls, QHeaderView *columns,
                        int growingColumns);
    bool isReady() const { return m_window != nullptr; }

    /// Applies the rules to the window's current size.
    void ResizeLayout();

private:
    struct Recorded
    {
        QWidget *widget;
        LayoutRule rule;
        LayoutGeometry geometry;
    };

    QWidget *m_window = nullptr;
    LayoutGeometry m_windowGeometry;
    LayoutGeometry m_smallest;
    QList<Recorded> m_controls;
    QHeaderView *m_columns = nullptr;
    QList<LayoutGeometry> m_columnGeometry;
    int m_growingColumns = 0;
    LayoutGrowth m_growth;
};

} // namespace kesto
