#include "SenderWatch.h"

SenderWatch::SenderWatch(QObject* parent) : QObject(parent)
{
    m_clock.start();
    m_check.setSingleShot(true);
    connect(&m_check, &QTimer::timeout, this, &SenderWatch::check);
}

void SenderWatch::heard(const QString& session)
{
    const qint64 now = m_clock.elapsed();
    for (auto it = m_heardAt.begin(); it != m_heardAt.end();)
        it = now - it.value() > kWindowMs ? m_heardAt.erase(it) : std::next(it);
    if (session != m_last && m_heardAt.contains(session))
        m_twoUntil = now + kWindowMs;
    m_heardAt.insert(session, now);
    m_last = session;
    check();
}

void SenderWatch::forget()
{
    m_heardAt.clear();
    m_last.clear();
}

void SenderWatch::check()
{
    const bool two = m_clock.elapsed() < m_twoUntil;
    if (two)
        m_check.start(int(kWindowMs)); // looked at again when the window has passed
    if (two != m_two)
        emit twoSenders(m_two = two);
}
