#pragma once

#include "Controls.h"
#include "DigitalFace.h"
#include "Module1.h"

#include <QPixmap>
#include <QWidget>

#include <array>

// The digital face the update tests work on.
namespace testface {

inline QColor digitColor(int d) { return QColor::fromHsv(d * 36, 255, 200).toRgb(); }
inline const QColor kBackground(255, 255, 255);
inline const QColor kSeparator(10, 20, 30);

// A digital face with a fake digit store: every digit a solid colour of its own,
// 18 x 29 pixels ("7" one pixel narrower), the places showing 8 as designed.
class TestFace {
public:
    TestFace()
    {
        window.resize(240, 200);
        setColors(&window, QColor(), kBackground);
        for (int d = 0; d < 10; ++d) {
            auto* box = new ImageBox(QStringLiteral("imgZiffer(%1)").arg(d), &window);
            QPixmap picture(d == 7 ? 17 : 18, 29);
            picture.fill(digitColor(d));
            box->setPicture(picture);
            box->move(4 + 22 * d, 150);
            face.imgZiffer[static_cast<std::size_t>(d)] = box;
        }
        const int lefts[4] = {8, 30, 60, 82};
        for (int i = 0; i < 4; ++i) {
            auto* place = new ImageBox(QStringLiteral("%1(%2)").arg(i < 2 ? "imgStd" : "imgMin").arg(i % 2 + 1),
                                       &window);
            place->move(lefts[i], 10);
            place->setPicture(face.imgZiffer[8]->picture());
            (i < 2 ? face.imgStd : face.imgMin)[static_cast<std::size_t>(i % 2)] = place;
        }
        face.imgSec = new ImageBox(QStringLiteral("imgSec"), &window);
        QPixmap separator(3, 11);
        separator.fill(kSeparator);
        face.imgSec->setPicture(separator);
        face.imgSec->move(52, 20);
        face.lblSec = new Label(QStringLiteral("lblSec"), QStringLiteral("00"), &window);
        face.lblSec->move(110, 20);
    }

    std::array<ImageBox*, 4> places() const { return {face.imgStd[0], face.imgStd[1], face.imgMin[0], face.imgMin[1]}; }

    QWidget window;
    DigitalFace face;
};

inline void setTime(Module1& m, int hours, int minutes, int seconds)
{
    m.lngStd = hours;
    m.lngMin = minutes;
    m.lngSec = seconds;
}

} // namespace testface
