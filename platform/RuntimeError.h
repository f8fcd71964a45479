#pragma once

#include <QString>
#include <stdexcept>

// A run-time error of the program: its number and German text. Nothing traps it
// on the way; the application reports it once and ends without writing anything.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(int number, const QString& text);

    int number() const { return m_number; }
    QString text() const { return m_text; }

    static RuntimeError overflow();         // 6
    static RuntimeError typeMismatch();     // 13
    static RuntimeError invalidIndex();     // 340, a control array element that does not exist
    static RuntimeError pastEndOfFile();    // 62
    static RuntimeError pathFileAccess();   // 75

private:
    int m_number;
    QString m_text;
};
