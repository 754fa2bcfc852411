// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// The small pictures of the three page tabs, drawn by the program: a page of text, a coin, a starting arrow.
namespace TabIcons {

QIcon forPage(int page);

} // namespace TabIcons
