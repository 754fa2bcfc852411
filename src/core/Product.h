#pragma once

#include <QString>

// The program's name and version as the window title and the command line show them.
namespace Product {

// "Leafrunner Pro"
QString label();
// "2.2"
QString version();
// "by " and the vendor's web address
QString byline();
// product label, version and byline, separated by blanks
QString windowTitle();

} // namespace Product
