#pragma once
// Outward effects of the program (message boxes, opening documents,
// starting other programs, writing files, ending the program) behind one
// interface, so that tests can record them instead.

#include <string>
#include <vector>

namespace ondrik {

// The program's name: the title of its own message boxes and the first word
// of every line it writes to standard error.
inline constexpr const char* kProgramName = "Ondrik";

// Writes "Ondrik: text" as a line of its own to standard error; a text of
// several lines gives as many lines, each beginning with "Ondrik: ".
void PrintMessageLine(const std::string& text);

enum class MsgIcon { None, Information, Warning, Critical, Question };

class Effects {
 public:
  virtual ~Effects() = default;
  // A message box; in batch or offscreen runs a line on standard error:
  // "Ondrik: text", or "Ondrik: title: text" for a box of another title.
  virtual void Message(const std::string& text, const std::string& title, MsgIcon icon) = 0;
  // A Yes/No question box; true for Yes. In batch or offscreen runs the
  // question goes to standard error and the answer is No.
  virtual bool Ask(const std::string& text, const std::string& title) = 0;
  // An OK/Cancel box with the icon; true for OK. In batch or offscreen runs
  // the text goes to standard error and the answer is Cancel.
  virtual bool Confirm(const std::string& text, const std::string& title, MsgIcon icon) = 0;
  // Opens a file (path) or a web page (URL) with the desktop's default handler.
  virtual bool OpenDocument(const std::string& pathOrUrl) = 0;
  // Starts a program and does not wait for it; false when it could not start.
  virtual bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                            bool hidden) = 0;
  // Starts a program and waits for it to end, at most timeoutMs; false when
  // it could not start or timed out (it is then stopped).
  virtual bool StartProgramAndWait(const std::string& program, const std::vector<std::string>& args,
                                   bool hidden, int timeoutMs) = 0;
  // Ends the program: leaves the event loop with the code when one runs
  // (the caller should then return), else exits the process at once.
  virtual void EndProgram(int exitCode) = 0;
  // Writes bytes to an open file: the number of bytes written, -1 with errno
  // set on failure (a full disk). Every file the program saves goes through
  // here.
  virtual long long WriteFile(int fd, const char* data, long long size) = 0;
};

// The process-wide instance: the Qt implementation unless a test installed
// another one with SetEffects; SetEffects(nullptr) restores the Qt one.
Effects& TheEffects();
void SetEffects(Effects* e);

// Batch runs (command-line snapshots) show no message boxes.
void SetBatchMode(bool batch);
bool IsBatchMode();
// True in batch mode, on the offscreen/minimal Qt platforms, or without a display.
bool IsBatchOrOffscreen();

// The real effects over Qt.
class QtEffects : public Effects {
 public:
  void Message(const std::string& text, const std::string& title, MsgIcon icon) override;
  bool Ask(const std::string& text, const std::string& title) override;
  bool Confirm(const std::string& text, const std::string& title, MsgIcon icon) override;
  bool OpenDocument(const std::string& pathOrUrl) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                    bool hidden) override;
  bool StartProgramAndWait(const std::string& program, const std::vector<std::string>& args,
                           bool hidden, int timeoutMs) override;
  void EndProgram(int exitCode) override;
  long long WriteFile(int fd, const char* data, long long size) override;
};

// Records every call; the results of OpenDocument and the program starts are settable.
class FakeEffects : public Effects {
 public:
  struct MessageCall {
    std::string text, title;
    MsgIcon icon;
  };
  struct ProgramCall {
    std::string program;
    std::vector<std::string> args;
    bool hidden;
    bool wait;       // StartProgramAndWait
    int timeoutMs;   // 0 for StartProgram
  };

  std::vector<MessageCall> messages;
  std::vector<MessageCall> questions;  // Ask (icon Question) and Confirm (its icon)
  std::vector<std::string> documents;
  std::vector<ProgramCall> programs;
  std::vector<int> endCalls;

  bool openResult = true;
  bool startResult = true;
  bool startAndWaitResult = true;
  // Bytes the disk still takes; -1 for no limit. A write beyond them writes
  // what fits and fails with ENOSPC, as on a full disk.
  long long diskSpace = -1;
  bool answer = false;  // what Ask and Confirm return

  void Message(const std::string& text, const std::string& title, MsgIcon icon) override;
  bool Ask(const std::string& text, const std::string& title) override;
  bool Confirm(const std::string& text, const std::string& title, MsgIcon icon) override;
  bool OpenDocument(const std::string& pathOrUrl) override;
  bool StartProgram(const std::string& program, const std::vector<std::string>& args,
                    bool hidden) override;
  bool StartProgramAndWait(const std::string& program, const std::vector<std::string>& args,
                           bool hidden, int timeoutMs) override;
  void EndProgram(int exitCode) override;
  long long WriteFile(int fd, const char* data, long long size) override;
};

}  // namespace ondrik
