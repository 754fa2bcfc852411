// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/MainLayout.h"

#include "gui/DesignGeometry.h"

#include <initializer_list>

namespace {
// Below this size the pages stop shrinking and scroll instead: the width at which the Monetization page shows its
// widest frame whole, and the outer height at which the PDF Content page shows its lowest control whole.
constexpr double MinimumOuterWidth = 18200;
constexpr double MinimumOuterHeight = 11400;

// A size that cannot be applied keeps the former value.
void setSize(double& target, double value)
{
    if (value >= 0)
        target = value;
}
} // namespace

MainLayout applyResizeRules(MainLayout layout, double width, double height)
{
    setSize(layout.pageWidth[0], width - 800);
    setSize(layout.pageHeight[0], height - layout.pageTop - 1700);
    for (int page : {1, 2})
        setSize(layout.pageWidth[page], layout.pageWidth[0]);
    for (int page : {1, 2})
        setSize(layout.pageHeight[page], layout.pageHeight[0]);
    setSize(layout.singleWidth, layout.pageWidth[0] - layout.singleLeft - 500);
    setSize(layout.selectedWidth, layout.singleWidth - layout.selectedLeft - 500);
    // The label keeps its distance from the right edge; a place left of the window is a valid place.
    layout.pleaseWaitLeft = width - layout.pleaseWaitWidth - 800;
    for (int frame : {0, 1})
        layout.filenameLeft[frame] = width / 2 - layout.filenameWidth[frame] / 2;
    return layout;
}

QSize canvasSize(QSize available, QSize frame, int scrollBar)
{
    const QSize minimum = QSize(Twips::toPixels(MinimumOuterWidth), Twips::toPixels(MinimumOuterHeight)) - frame;
    QSize canvas = available.expandedTo(minimum);
    if (canvas.height() > available.height())
        canvas.setWidth(qMax(available.width() - scrollBar, minimum.width()));
    if (canvas.width() > available.width())
        canvas.setHeight(qMax(available.height() - scrollBar, minimum.height()));
    return canvas;
}
