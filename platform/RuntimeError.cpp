#include "RuntimeError.h"

RuntimeError::RuntimeError(int number, const QString& text)
    : std::runtime_error(QStringLiteral("%1: %2").arg(number).arg(text).toStdString()),
      m_number(number), m_text(text)
{
}

RuntimeError RuntimeError::overflow() { return {6, QStringLiteral("Überlauf")}; }
RuntimeError RuntimeError::typeMismatch() { return {13, QStringLiteral("Typen unverträglich")}; }
RuntimeError RuntimeError::invalidIndex()
{
    return {340, QStringLiteral("Steuerelement-Datenfeldelement existiert nicht")};
}
RuntimeError RuntimeError::pastEndOfFile() { return {62, QStringLiteral("Einlesen hinter Dateiende")}; }
RuntimeError RuntimeError::pathFileAccess()
{
    return {75, QStringLiteral("Fehler beim Zugriff auf Pfad/Datei")};
}
