#pragma once

#include "filebrowser/FileEntry.h"

#include <vector>

class CGridCtrl;
class CImageList;

// Both listings of the file browser look alike: a header row (" ", "File", "Size"), then one
// row per entry, 20 pixels high, with the folder image (index 0 of the image list) in the
// first column of a folder row, the name left-aligned and a file's size right-aligned.
// Several rows may be selected; nothing is editable or resizable with the mouse.
inline constexpr int kFileGridRowHeight = 20;

void SetUpFileGrid(CGridCtrl& grid, const CImageList& images);
// Shows `rows` (row r from rows[r - 1]) with the selection cleared, scrolled to the top, the
// columns widened or narrowed alike to fill the grid. No rows leaves the header alone.
void ShowFileRows(CGridCtrl& grid, const std::vector<FileEntry>& rows);
