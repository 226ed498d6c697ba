// Thin helpers over a report-style list view control. Each returns false when the control
// refuses the change.
#pragma once

#include <windows.h>

#include <initializer_list>

bool ListViewAddColumn(HWND list, int column, const char* title, int width);
// Inserts a row at position row with one text per column.
bool ListViewAddRow(HWND list, int row, std::initializer_list<const char*> cells);
// Switches the control to the report (details) view.
bool ListViewUseReport(HWND list);
// Sets the width of column only when that column exists.
void ListViewSetColumnWidth(HWND list, int column, int width);
int ClientWidth(HWND window);
