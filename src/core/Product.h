// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's name and version as the window title, the command line and the PDFs show them.
namespace Product {

// "Leafrunner Pro"
QString label();
// "2.2"
QString version();
// "by " and the vendor's web address
QString byline();
// product label, version and byline, separated by blanks
QString windowTitle();
// product name and version, the creator named in every PDF's document properties: "Leafrunner 2.2"
QString creator();
// what --version prints: the product label and version, the copyright and the licence, one per line
QString versionText();

} // namespace Product
