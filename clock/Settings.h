#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// The values the settings file carries, in the order of its fourteen pairs of
// lines; the member initialisers are the defaults used when there is no file.
struct Settings {
    std::int32_t startStd = 12;
    std::int32_t startMin = 0;
    std::int32_t faktor = 333;
    std::int16_t anzeige = 0;
    std::int32_t anzeigeLeft = 0;
    std::int32_t anzeigeTop = 0;
    double konfigLeft = 300;
    double konfigTop = 3300;
    QString titel = QStringLiteral("Quendrasil");
    std::int32_t breiteMaxi = 0;
    std::int32_t hoeheMaxi = 0;
    std::int32_t letzteStd = 0;
    std::int32_t letzteMin = 0;
    bool datei = false;

    bool operator==(const Settings&) const = default;
};

namespace settingsfile {

inline constexpr int kLines = 28;
QString fileName(); // "Quendrasil.ini"

// The 28 lines, CR LF each, in Windows-1252. Positions and sizes are written as
// whole numbers in the file's number format (the control window's rounded,
// halves to the even neighbour).
QByteArray format(const Settings& s);

// Reads by position: key lines are skipped unseen, lines after 28 are ignored.
// Too few lines, a number too large for its width (a single-precision value
// for the control window's position) or a Boolean line that is neither word
// nor number are run-time errors.
Settings parse(const QByteArray& bytes);

// The file at path, or nothing when there is no such ordinary file.
std::optional<Settings> read(const QString& path);

// Writes the whole file; the old one is replaced only once the new one is
// complete on the disk, so a failed save (a full disk, a folder that cannot be
// written) leaves it as it was and is a run-time error.
void write(const QString& path, const Settings& s);

// The text can be a value line: every character has its byte in Windows-1252
// and none is a line end (which would split the line). Every text read from a
// value line can.
bool holdsText(const QString& text);

// The Boolean value line: "True", "Wahr", "False", "Falsch" or a number.
bool parseBoolean(const QString& line);

} // namespace settingsfile
