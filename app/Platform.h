// app/Platform.h
#pragma once
#include <QString>
namespace palitra {
class Random;
class Prompts { public: virtual ~Prompts() = default;
    virtual bool ask(const QString& question) = 0;          // question icon, OK/Cancel; true unless Cancel
    virtual void inform(const QString& message) = 0;        // information icon, OK
    virtual void warn(const QString& message) = 0;          // exclamation icon, OK
    virtual void error(const QString& message) = 0;         // critical icon, OK
};
class Clock { public: virtual ~Clock() = default; virtual double seconds() = 0; }; // monotonic
class Shell { public: virtual ~Shell() = default; virtual void open(const QString& target, const QString& workingDirectory) = 0; };
struct Platform { Prompts& prompts; Clock& clock; Random& random; Shell& shell; };
}
