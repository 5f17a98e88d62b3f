#include "ui/proportionallayout.h"

#include "storage/settings.h"

#include <QHeaderView>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace kesto {

namespace {

double toTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

int toPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

LayoutGeometry twipsOf(const QRect &r)
{
    return {toTwips(r.x()), toTwips(r.y()), toTwips(r.width()), toTwips(r.height())};
}

QRect pixelsOf(const LayoutGeometry &g)
{
    return QRect(toPixels(g.left), toPixels(g.top), toPixels(g.width), toPixels(g.height));
}

} // namespace

LayoutGrowth ComputeGrowth(const LayoutGeometry &recordedWindow, const LayoutGeometry &smallest,
                           double width, double height)
{
    LayoutGrowth g;
    g.widthBelowSmallest = width < smallest.width;
    g.heightBelowSmallest = height < smallest.height;
    g.deltaW = std::max(width, smallest.width) - recordedWindow.width;
    g.deltaH = std::max(height, smallest.height) - recordedWindow.height;
    return g;
}

LayoutGeometry ApplyLayoutRule(LayoutRule rule, const LayoutGeometry &recorded,
                               const LayoutGrowth &growth)
{
    LayoutGeometry g = recorded;
    switch (rule) {
    case LayoutRule::GrowBoth:
        g.width += growth.deltaW;
        g.height += growth.deltaH;
        break;
    case LayoutRule::MoveDownGrowWidth:
        g.top += growth.deltaH;
        g.width += growth.deltaW;
        break;
    case LayoutRule::GrowWidth:
        g.width += growth.deltaW;
        break;
    case LayoutRule::MoveRight:
        g.left += growth.deltaW;
        break;
    case LayoutRule::ListColumn:
        g.width += growth.deltaW * 0.25;
        break;
    }
    return g;
}

void ProportionalLayout::RecordGeometry(QWidget *window, const QList<Managed> &controls,
                                        QHeaderView *columns, int growingColumns)
{
    m_window = window;
    m_windowGeometry = twipsOf(QRect(QPoint(), window->size()));
    // A window without a minimum size keeps the one it is recorded at.
    const QSize minimum = window->minimumSize();
    m_smallest = twipsOf(
        QRect(QPoint(), minimum.isEmpty() ? window->size() : minimum.boundedTo(window->size())));
    m_controls.clear();
    for (const Managed &m : controls)
        m_controls.append({m.widget, m.rule, twipsOf(m.widget->geometry())});
    m_columns = columns;
    m_growingColumns = growingColumns;
    m_columnGeometry.clear();
    if (columns) {
        // A column has no top and no height; only its left edge and width count.
        for (int i = 0; i < columns->count(); ++i)
            m_columnGeometry.append(
                {toTwips(columns->sectionPosition(i)), 0, toTwips(columns->sectionSize(i)), 0});
    }
}

void ProportionalLayout::ResizeLayout()
{
    if (!m_window)
        return;
    m_growth = ComputeGrowth(m_windowGeometry, m_smallest, toTwips(m_window->width()),
                             toTwips(m_window->height()));
    if (m_growth.widthBelowSmallest || m_growth.heightBelowSmallest) {
        const QSize smallest = pixelsOf(m_smallest).size();
        m_window->resize(m_growth.widthBelowSmallest ? smallest.width() : m_window->width(),
                         m_growth.heightBelowSmallest ? smallest.height() : m_window->height());
    }
    for (const Recorded &c : std::as_const(m_controls))
        c.widget->setGeometry(pixelsOf(ApplyLayoutRule(c.rule, c.geometry, m_growth)));
    if (m_columns) {
        const int n = std::min<int>(m_growingColumns, m_columnGeometry.size());
        for (int i = 0; i < n; ++i) {
            const LayoutGeometry g =
                ApplyLayoutRule(LayoutRule::ListColumn, m_columnGeometry.at(i), m_growth);
            m_columns->resizeSection(i, toPixels(g.width));
        }
    }
}

} // namespace kesto
