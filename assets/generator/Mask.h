#pragma once

#include <QColor>
#include <QImage>
#include <QPolygonF>

#include <vector>

// A set of pixels of a picture, filled by pixel-centre sampling: a pixel
// belongs to a shape when its centre lies inside it. No pixel is ever partly
// covered, so the pixel-art pictures stay crisp.
class Mask {
public:
    Mask(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Outside the mask counts as empty.
    bool at(int x, int y) const;
    void set(int x, int y, bool on = true);

    // Corners in edge coordinates: pixel (x, y) covers [x, x+1) x [y, y+1).
    void fillPolygon(const QPolygonF& polygon);
    void fillRect(int x, int y, int width, int height);
    // Every pixel whose centre lies within radius of centre.
    void fillDisc(QPointF centre, double radius);
    // Every pixel whose centre lies inside the rectangle with corners rounded
    // to the given radius.
    void fillRoundedRect(const QRectF& rect, double radius);

    // The pixels next to the mask (any of eight neighbours) but not in it.
    Mask ring() const;
    // The pixels of the mask that touch a pixel outside it or the picture's
    // edge (four neighbours).
    Mask edge() const;

    void unite(const Mask& other);
    void subtract(const Mask& other);
    int count() const;

    // Sets every pixel of the mask in the image to the colour.
    void paint(QImage& image, const QColor& colour) const;

private:
    int m_width;
    int m_height;
    std::vector<unsigned char> m_bits;
};
