#pragma once

#include <QHash>
#include <QString>

// Whether one clock has two senders: two masters started with one name, or
// someone sending states of his own. A master that starts anew changes its
// session once and for good; two senders alternate, so a session that comes
// back after another one was heard tells of a second sender.
class SenderWatch {
public:
    // States of a session not heard for this long are forgotten, and a second
    // sender not heard again for this long is taken as gone.
    static constexpr qint64 kWindowMs = 30'000;

    // A state of the session heard at nowMs (a steady clock). True when two
    // senders are heard now.
    bool heard(const QString& session, qint64 nowMs)
    {
        for (auto it = m_heardAt.begin(); it != m_heardAt.end();)
            it = nowMs - it.value() > kWindowMs ? m_heardAt.erase(it) : std::next(it);
        if (session != m_last && m_heardAt.contains(session))
            m_twoUntil = nowMs + kWindowMs;
        m_heardAt.insert(session, nowMs);
        m_last = session;
        return twoSenders(nowMs);
    }
    bool twoSenders(qint64 nowMs) const { return nowMs < m_twoUntil; }
    // a sender said it is gone: what comes next is a new start
    void forget()
    {
        m_heardAt.clear();
        m_last.clear();
    }

private:
    QHash<QString, qint64> m_heardAt;
    QString m_last;
    qint64 m_twoUntil = -1;
};
