#include "ClockEvents.h"
#include "ClockState.h"
#include "Module1.h"
#include "Page.h"
#include "WebServer.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QWebSocket>

// The web server on loopback: what it answers to good and bad requests, the
// limits of its guard, and the state it pushes to live pages.
class TestWebServer : public QObject {
    Q_OBJECT

private:
    Module1 m;
    ClockEvents events;

    // sends raw bytes from the address `from` and returns what came back
    // before the answer was complete (or, when it says so, the connection
    // closed)
    static QByteArray exchange(quint16 port, const QByteArray& request, bool* closed = nullptr,
                               const QString& from = QStringLiteral("127.0.0.1"))
    {
        QTcpSocket socket;
        socket.bind(QHostAddress(from));
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (!socket.waitForConnected(2000))
            return "not connected";
        socket.write(request);
        QByteArray reply;
        QDeadlineTimer deadline(3000);
        while (!deadline.hasExpired()) {
            if (socket.bytesAvailable() == 0 && socket.state() != QAbstractSocket::ConnectedState)
                break;
            QTest::qWait(10);
            reply += socket.readAll();
            const qsizetype head = reply.indexOf("\r\n\r\n");
            const qsizetype body = request.startsWith("HEAD") ? 0 : lengthOf(reply);
            if (head > 0 && body >= 0 && reply.size() >= head + 4 + body
                && (!reply.contains("Connection: close") || socket.state() != QAbstractSocket::ConnectedState))
                break;
        }
        if (closed)
            *closed = socket.state() != QAbstractSocket::ConnectedState;
        return reply;
    }

    static qsizetype lengthOf(const QByteArray& reply)
    {
        const qsizetype head = reply.indexOf("\r\n\r\n");
        const qsizetype at = reply.indexOf("Content-Length: ");
        return at < 0 || at > head ? -1 : reply.mid(at + 16, head - at).split('\r').first().toLongLong();
    }

    static QByteArray status(const QByteArray& reply) { return reply.left(12).mid(9); }

private slots:
    void init()
    {
        m = Module1();
        m.lngZeit = 45296;
        m.lngFaktor = 250;
        m.running = true;
        m.strTitel = QStringLiteral("Anlage </script><b>");
    }

    void listenAddress_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("address"); // empty: refused
        QTest::addColumn<int>("port");
        QTest::newRow("port only") << "8080" << "any" << 8080;
        QTest::newRow("IPv4") << "127.0.0.1:8080" << "127.0.0.1" << 8080;
        QTest::newRow("IPv6") << "[::1]:9000" << "::1" << 9000;
        QTest::newRow("localhost") << "localhost:80" << "127.0.0.1" << 80;
        QTest::newRow("highest port") << "65535" << "any" << 65535;
        QTest::newRow("port 0") << "0" << "" << 0;
        QTest::newRow("port too large") << "65536" << "" << 0;
        QTest::newRow("no port") << "127.0.0.1:" << "" << 0;
        QTest::newRow("empty address") << ":80" << "" << 0;
        QTest::newRow("words") << "abc" << "" << 0;
        QTest::newRow("short IPv4") << "1.2.3:80" << "" << 0;
        QTest::newRow("IPv6 unbracketed") << "::1:80" << "" << 0;
        QTest::newRow("IPv4 bracketed") << "[127.0.0.1]:80" << "" << 0;
        QTest::newRow("host name") << "uhr.example:80" << "" << 0;
    }

    void listenAddress()
    {
        QFETCH(QString, text);
        QFETCH(QString, address);
        QFETCH(int, port);
        QString why;
        const auto where = parseListenAddress(text, &why);
        QCOMPARE(where.has_value(), !address.isEmpty());
        if (!where) {
            QVERIFY(why.startsWith(QStringLiteral("--web ") + text));
            return;
        }
        QCOMPARE(where->address, address == u"any" ? QHostAddress(QHostAddress::Any) : QHostAddress(address));
        QCOMPARE(where->port, port);
    }

    void answers_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("status");
        QTest::addColumn<QByteArray>("contains");
        QTest::addColumn<bool>("closes");
        const QByteArray host = " HTTP/1.1\r\nHost: uhr\r\n\r\n";
        const QByteArray upgrade = "GET /live HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n";
        const QByteArray version = "Sec-WebSocket-Version: 13\r\n\r\n";
        QTest::newRow("page") << "GET /" + host << QByteArray("200") << QByteArray("id=\"seg-g\"") << false;
        QTest::newRow("analog page") << "GET /?style=analog" + host << QByteArray("200") << QByteArray("\"time\":45296") << false;
        QTest::newRow("title cannot end the script") << "GET /" + host << QByteArray("200") << QByteArray("Anlage \\u003c/script>\\u003cb>") << false;
        QTest::newRow("script") << "GET /clock.js" + host << QByteArray("200") << QByteArray("text/javascript") << false;
        QTest::newRow("style sheet") << "GET /clock.css" + host << QByteArray("200") << QByteArray("text/css") << false;
        QTest::newRow("icon") << "GET /icon-256.png" + host << QByteArray("200") << QByteArray("image/png") << false;
        QTest::newRow("manifest of the analog face") << "GET /manifest.webmanifest?style=analog" + host << QByteArray("200") << QByteArray("\"start_url\": \"/?style=analog\"") << false;
        QTest::newRow("state") << "GET /state" + host << QByteArray("200") << QByteArray("application/json") << false;
        QTest::newRow("HEAD with the real length") << "HEAD /clock.css" + host << QByteArray("200") << QByteArray("text/css") << false;
        QTest::newRow("HTTP/1.0 closes") << QByteArray("GET /state HTTP/1.0\r\n\r\n") << QByteArray("200") << QByteArray("Connection: close") << true;
        QTest::newRow("HTTP/1.0 keep-alive") << QByteArray("GET /state HTTP/1.0\r\nConnection: keep-alive\r\n\r\n") << QByteArray("200") << QByteArray() << false;
        QTest::newRow("Connection: close") << QByteArray("HEAD /clock.js HTTP/1.1\r\nConnection: close\r\n\r\n") << QByteArray("200") << QByteArray("text/javascript") << true;
        QTest::newRow("live without upgrade") << "GET /live" + host << QByteArray("426") << QByteArray() << false;
        QTest::newRow("upgrade of the page") << "GET / HTTP/1.1\r\nUpgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n" + version << QByteArray("400") << QByteArray() << true;
        QTest::newRow("upgrade without a key") << upgrade + version << QByteArray("400") << QByteArray() << true;
        QTest::newRow("key not base64") << upgrade + "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ=!\r\n" + version << QByteArray("400") << QByteArray() << true;
        QTest::newRow("key of 15 bytes") << upgrade + "Sec-WebSocket-Key: AAAAAAAAAAAAAAAAAAAA\r\n" + version << QByteArray("400") << QByteArray() << true;
        QTest::newRow("other version") << upgrade + "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 8\r\n\r\n" << QByteArray("426") << QByteArray("Sec-WebSocket-Version: 13") << true;
        QTest::newRow("unknown path") << "GET /admin" + host << QByteArray("404") << QByteArray() << false;
        QTest::newRow("path below a file") << "GET /state/x" + host << QByteArray("404") << QByteArray() << false;
        QTest::newRow("POST") << QByteArray("POST /state HTTP/1.1\r\nHost: uhr\r\nContent-Length: 0\r\n\r\n") << QByteArray("405") << QByteArray("Allow: GET, HEAD") << true;
        QTest::newRow("DELETE") << "DELETE /" + host << QByteArray("405") << QByteArray() << true;
        QTest::newRow("body") << QByteArray("GET / HTTP/1.1\r\nContent-Length: 5\r\n\r\nhallo") << QByteArray("413") << QByteArray() << true;
        QTest::newRow("chunked body") << QByteArray("GET / HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n") << QByteArray("413") << QByteArray() << true;
        QTest::newRow("huge header") << "GET / HTTP/1.1\r\nX-Big: " + QByteArray(20000, 'x') + "\r\n\r\n" << QByteArray("431") << QByteArray() << true;
        QTest::newRow("huge path") << "GET /" + QByteArray(20000, 'a') << QByteArray("414") << QByteArray() << true;
        QTest::newRow("garbage") << QByteArray("\x00\xff\x13garbage\r\n\r\n", 14) << QByteArray("400") << QByteArray() << true;
        QTest::newRow("absolute target") << QByteArray("GET http://uhr/ HTTP/1.1\r\n\r\n") << QByteArray("400") << QByteArray() << true;
        QTest::newRow("header without colon") << QByteArray("GET / HTTP/1.1\r\nnonsense\r\n\r\n") << QByteArray("400") << QByteArray() << true;
    }

    void answers()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, status);
        QFETCH(QByteArray, contains);
        QFETCH(bool, closes);
        WebServer server(m, &events);
        QVERIFY(server.listen({QHostAddress(QHostAddress::LocalHost), 0}));
        bool closed = false;
        const QByteArray reply = exchange(server.port(), request, &closed);
        QCOMPARE(this->status(reply), status);
        QVERIFY2(reply.contains(contains), reply.left(400).constData());
        QCOMPARE(closed, closes);
        if (request.startsWith("HEAD")) { // the length of the GET, and no body
            QCOMPARE(lengthOf(reply), lengthOf(exchange(server.port(), "GET" + request.mid(4))));
            QVERIFY(lengthOf(reply) > 0 && reply.endsWith("\r\n\r\n"));
        }
        QCOMPARE(m.lngZeit, 45296); // read-only
    }

    void servesEveryFileOfThePage()
    {
        WebServer server(m, &events);
        QVERIFY(server.listen({QHostAddress(QHostAddress::LocalHost), 0}));
        for (const webpage::Entry& file : webpage::files()) {
            const QByteArray reply = exchange(server.port(), "GET " + QByteArray(file.path) + " HTTP/1.1\r\n\r\n");
            QVERIFY2(status(reply) == "200" && reply.contains("Content-Type: " + QByteArray(file.type) + "\r\n")
                         && lengthOf(reply) > 0, file.path);
        }
    }

    // How far its fast second has gone, as the page gets it: from the clock's
    // timer (armed at 1000 with a time base of 2000 ms; `made` ticks made),
    // never beyond the second, 0 for a held clock.
    void elapsedFromTheTimer_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<qint64>("now");
        QTest::addColumn<int>("made");
        QTest::addColumn<int>("elapsed");
        QTest::newRow("before the first tick") << true << qint64(1100) << 0 << 100;
        QTest::newRow("after two ticks") << true << qint64(5030) << 2 << 30;
        QTest::newRow("a tick due, not yet made") << true << qint64(3400) << 0 << 1999;
        QTest::newRow("held") << false << qint64(1100) << 0 << 0;
    }
    void elapsedFromTheTimer()
    {
        QFETCH(bool, running);
        QFETCH(qint64, now);
        QFETCH(int, made);
        qint64 clock = 1000;
        ExactTimer timer(nullptr, [&clock] { return clock; });
        timer.setInterval(m.lngFaktor = 2000);
        timer.setEnabled(m.running = running);
        ClockEvents ticked;
        ticked.setTimer(&timer);
        for (clock = now; made > 0; --made)
            timer.poll();
        WebServer server(m, &ticked);
        QVERIFY(server.listen({QHostAddress(QHostAddress::LocalHost), 0}));
        const QByteArray reply = exchange(server.port(), "GET / HTTP/1.1\r\n\r\n");
        const qsizetype from = reply.indexOf("id=\"zustand\">") + 13;
        const QByteArray json = reply.mid(from, reply.indexOf("</script>", from) - from);
        QVERIFY2(clockstate::fromJson(json), json.constData());
        QTEST(QJsonDocument::fromJson(json).object().value(QLatin1StringView("elapsed")).toInt(), "elapsed");
    }

    void stateIsTheSharedJson()
    {
        WebServer server(m, &events);
        QVERIFY(server.listen({QHostAddress(QHostAddress::LocalHost), 0}));
        const QByteArray reply = exchange(server.port(), "GET /state HTTP/1.1\r\n\r\n");
        const auto state = clockstate::fromJson(reply.mid(reply.indexOf("\r\n\r\n") + 4));
        QVERIFY(state);
        auto expected = clockstate::of(m, state->seq);
        QCOMPARE(*state, expected);
    }

    void portTaken()
    {
        WebServer first(m, &events);
        QVERIFY(first.listen({QHostAddress(QHostAddress::LocalHost), 0}));
        WebServer second(m, &events);
        QString why;
        QVERIFY(!second.listen({QHostAddress(QHostAddress::LocalHost), first.port()}, &why));
        QCOMPARE(why, QStringLiteral("Der Port ist schon belegt."));
    }

    void connectionLimits()
    {
        WebLimits limits;
        limits.connections = 3;
        limits.connectionsPerAddress = 2;
        limits.headerMs = 400;
        limits.connectionMs = 1500;
        WebServer server(m, &events, limits);
        QVERIFY(server.listen({QHostAddress(QHostAddress::Any), 0}));
        // slow clients that send half a request: two fill the cap of their
        // address, while another address is still served; a third fills the server
        std::vector<std::unique_ptr<QTcpSocket>> slow;
        for (const char* from : {"127.0.0.2", "127.0.0.2", "127.0.0.1"}) {
            if (slow.size() == 2) {
                QTRY_COMPARE(server.openConnections(), 2);
                QCOMPARE(status(exchange(server.port(), "GET /state HTTP/1.1\r\n\r\n", nullptr, QStringLiteral("127.0.0.2"))), QByteArray("503"));
                QCOMPARE(status(exchange(server.port(), "GET /state HTTP/1.1\r\n\r\n")), QByteArray("200"));
                QTRY_COMPARE(server.openConnections(), 2);
            }
            slow.push_back(std::make_unique<QTcpSocket>());
            slow.back()->bind(QHostAddress(QString::fromLatin1(from)));
            slow.back()->connectToHost(QHostAddress::LocalHost, server.port());
            QVERIFY(slow.back()->waitForConnected(2000));
            slow.back()->write("GET / HT");
        }
        QTRY_COMPARE(server.openConnections(), 3);
        QCOMPARE(status(exchange(server.port(), "GET /state HTTP/1.1\r\n\r\n")), QByteArray("503"));
        // they run out of time, and the server answers again
        for (auto& s : slow) {
            QTRY_VERIFY(s->bytesAvailable() > 0 || s->state() != QAbstractSocket::ConnectedState);
            QCOMPARE(status(s->readAll()), QByteArray("408"));
        }
        QTRY_COMPARE(server.openConnections(), 0);
        // a connection that keeps asking is closed after its lifetime
        QTcpSocket keep;
        keep.connectToHost(QHostAddress::LocalHost, server.port());
        QVERIFY(keep.waitForConnected(2000));
        for (int i = 0; i < 2; ++i) {
            keep.write("GET /state HTTP/1.1\r\n\r\n");
            QByteArray reply;
            QTRY_VERIFY((reply += keep.readAll()).endsWith('}'));
            QVERIFY(reply.startsWith("HTTP/1.1 200"));
        }
        QTRY_VERIFY_WITH_TIMEOUT(keep.state() != QAbstractSocket::ConnectedState, 3000);
    }

    void livePages()
    {
        WebLimits limits;
        limits.pages = 2;
        limits.connectionMs = 500;
        limits.pageSilenceMs = 400;
        WebServer server(m, &events, limits);
        QVERIFY(server.listen({QHostAddress(QHostAddress::LocalHost), 0}));
        const QString url = QStringLiteral("ws://127.0.0.1:%1/").arg(server.port());
        QWebSocket pages[3];
        QList<QByteArray> received[3];
        for (int i = 0; i < 3; ++i) {
            connect(&pages[i], &QWebSocket::textMessageReceived, this,
                    [&received, i](const QString& s) { received[i] << s.toUtf8(); });
            pages[i].open(QUrl(url + QStringLiteral("live")));
            QTRY_VERIFY(!received[i].isEmpty() || pages[i].state() == QAbstractSocket::UnconnectedState);
        }
        QCOMPARE(server.pageCount(), 2);
        QTRY_COMPARE(pages[2].state(), QAbstractSocket::UnconnectedState); // one too many
        // the first message is the state, with how far its fast second has gone
        auto first = clockstate::fromJson(received[0].first());
        QVERIFY(first);
        QCOMPARE(first->time, 45296);
        QVERIFY(received[0].first().contains("\"elapsed\":"));
        // live pages that answer pings outlive the lifetime of plain connections
        QTest::qWait(800);
        QCOMPARE(pages[0].state(), QAbstractSocket::ConnectedState);
        // hold and a fast minute reach every page
        m.running = false;
        emit events.stateChanged();
        QTRY_COMPARE(received[1].size(), 2);
        QCOMPARE(clockstate::fromJson(received[1].last())->running, false);
        m.lngZeit = 45300;
        emit events.minutePassed();
        QTRY_COMPARE(received[0].size(), 3);
        QCOMPARE(clockstate::fromJson(received[0].last())->time, 45300);
        QVERIFY(clockstate::fromJson(received[0].last())->seq > clockstate::fromJson(received[0][1])->seq);
        // a WebSocket elsewhere than /live is closed
        QWebSocket stranger;
        stranger.open(QUrl(url + QStringLiteral("state")));
        QTRY_COMPARE(stranger.state(), QAbstractSocket::UnconnectedState);
        pages[0].close();
        QTRY_COMPARE(server.pageCount(), 1);
        // a page that answers no ping is dropped
        QTcpSocket silent;
        silent.connectToHost(QHostAddress::LocalHost, server.port());
        QVERIFY(silent.waitForConnected(2000));
        silent.write("GET /live HTTP/1.1\r\nHost: uhr\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                     "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n");
        QTRY_COMPARE(server.pageCount(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(silent.state(), QAbstractSocket::UnconnectedState, 3000);
        QCOMPARE(server.pageCount(), 1);
        QCOMPARE(pages[1].state(), QAbstractSocket::ConnectedState);
    }
};

QTEST_MAIN(TestWebServer)
#include "tst_webserver.moc"
