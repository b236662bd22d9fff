#pragma once

#include <QStringList>

#include <string>
#include <string_view>

// A resource filter "Description|*.a;*.b|..." as Qt name filters "Description (*.a *.b)".
// A description that already names its patterns in parentheses is not given them twice; an
// incomplete last pair is dropped.
QStringList ToQtNameFilters(std::string_view filter);

// The folder a dialog opens for `start`: the folder itself, or the folder of a file path.
std::string StartFolder(const std::string& start);
