#pragma once

#include <string>

#include <QIcon>

namespace tavo {

// The directory chooser's picture list "fileimages": 36 pictures of 16 x 16 pixels, indexed
// as the list items use them.
inline constexpr int kFileImageCount = 36;
inline constexpr int kImageFolder = 0;
inline constexpr int kImageFile = 10;

// The image index of a folder entry: folders 0, files by the kind after their last ".".
int FileImageIndex(const std::string& name, bool isFolder);

// The picture behind an index; indices without a picture of their own show a plain file.
QIcon FileImage(int index);

}  // namespace tavo
