#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>
#include <QTimer>

// Whether one clock has two senders: two masters started with one name, or
// someone sending states of his own. A master that starts anew changes its
// session once and for good; two senders alternate, so a session that comes
// back after another one was heard tells of a second sender. Tells when that
// begins and when it ends (no second sender heard for a while).
class SenderWatch : public QObject {
    Q_OBJECT

public:
    // States of a session not heard for this long are forgotten, and a second
    // sender not heard again for this long is taken as gone.
    static constexpr qint64 kWindowMs = 30'000;

    explicit SenderWatch(QObject* parent = nullptr);

    // A state of the session was heard now.
    void heard(const QString& session);
    // a sender said it is gone: what comes next is a new start
    void forget();

signals:
    void twoSenders(bool two);

private:
    void check();

    QHash<QString, qint64> m_heardAt;
    QString m_last;
    qint64 m_twoUntil = -1;
    bool m_two = false;
    QElapsedTimer m_clock;
    QTimer m_check;
};
