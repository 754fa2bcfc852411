// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

// The places and sizes of the main window that follow the window's size, in twips. Everything else keeps its
// design place.
struct MainLayout {
    double pageLeft = 315;
    double pageTop = 1890;
    double pageWidth[3] = {18510, 18510, 18510};
    double pageHeight[3] = {8250, 8250, 8250};
    double singleLeft = 4905;
    double singleWidth = 13335;
    double selectedLeft = 3870;
    double selectedWidth = 8655;
    double pleaseWaitLeft = 13095;
    double pleaseWaitWidth = 5955;
    double filenameLeft[2] = {585, 585};
    double filenameWidth[2] = {15045, 15045};

    bool operator==(const MainLayout&) const = default;
};

// Applies the resize rules for a window whose outer size (border and title bar included) is width by height
// twips. The rules run in order, each on the values the earlier ones set; a rule that would give a negative
// size leaves its value as it was and the next rule still runs.
MainLayout applyResizeRules(MainLayout layout, double width, double height);

// The size in pixels of the canvas the pages lie on, in a scroll area whose viewport has available room without
// scroll bars, in a window whose frame adds frame to its size. The canvas is never below the pages' minimum; where
// it is larger than the room one way, the scroll bar that shows the rest takes its extent from the other way.
QSize canvasSize(QSize available, QSize frame, int scrollBar);
