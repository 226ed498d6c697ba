// Reads a list view control of another process: its rows and cells, and its column widths.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

using ListRows = std::vector<std::vector<std::string>>;

// Every row of list, each with one text per column; empty when it cannot be read.
ListRows ReadListView(HWND list);
// The width in pixels of each column.
std::vector<int> ListViewColumnWidths(HWND list);
