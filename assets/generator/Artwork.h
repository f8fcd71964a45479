#pragma once

#include <QImage>
#include <QString>

#include <vector>

// Every picture of the program under its file name (without ".png").
namespace artwork {

struct Picture {
    QString name;
    QImage image;
};

std::vector<Picture> allPictures();

// Writes every picture as <folder>/<name>.png. Returns an empty string on
// success, otherwise what went wrong.
QString writeAll(const QString& folder);

} // namespace artwork
