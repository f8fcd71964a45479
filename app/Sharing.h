#pragma once

#include <functional>

class Program;
class Services;
struct BrokerAddress;
struct Module1;

// Each returns what begins the sharing once the control window is loaded.

// --publish: the clock goes to the broker. A broker out of reach at start is
// told once in a message box, then in the control window's caption; the clock
// runs on as a plain one and publishes once the broker is back.
std::function<void()> sharePublished(Program& program, Module1& m, Services& services, const BrokerAddress& broker);

// --follow: the clock comes from the broker; states reach the control window
// queued, never inside a call of the network library or a drawing routine.
// The caption says whom it follows, or that the master or the broker is lost.
std::function<void()> shareFollowed(Program& program, const BrokerAddress& broker);
