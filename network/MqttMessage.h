#pragma once

#include <QByteArray>
#include <QString>

// A message as heard; retained: a copy the broker kept, sent on subscribing.
struct MqttMessage {
    QString topic;
    QByteArray payload;
    bool retained = false;
};
