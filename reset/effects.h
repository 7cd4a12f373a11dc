#pragma once
// Outward effects of the utility (messages to the user, writing a file)
// behind one interface, so that tests can record them or make them fail.

#include <QString>

class QByteArray;
class QIODevice;
class QWidget;

namespace wexfold {

class Effects {
 public:
  virtual ~Effects() = default;
  // A warning box over parent; "title: text" on standard error when there is
  // no screen to show it on (offscreen platform, no display).
  virtual void Message(QWidget* parent, const QString& text, const QString& title) = 0;
  // Writes data to an open file; the number of bytes written, -1 on failure.
  virtual qint64 Write(QIODevice& file, const QByteArray& data) = 0;
};

class QtEffects : public Effects {
 public:
  void Message(QWidget* parent, const QString& text, const QString& title) override;
  qint64 Write(QIODevice& file, const QByteArray& data) override;
};

// True on the offscreen or minimal platforms and without a display.
bool IsOffscreen();

}  // namespace wexfold
