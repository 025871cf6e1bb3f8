// The records of the UI input pump, made for one dispatch and passed to every listener. Mouse
// positions are pixels of the window's client area.
#pragma once

namespace KorvexEngine {
namespace UI {

class SUIInputMouseMoveEvent {
 public:
  SUIInputMouseMoveEvent(int x, int y) : x(x), y(y) {}
  virtual ~SUIInputMouseMoveEvent() = default;
  int x;
  int y;
};

class SUIInputMouseDownEvent {
 public:
  SUIInputMouseDownEvent(int x, int y, int button) : x(x), y(y), button(button) {}
  virtual ~SUIInputMouseDownEvent() = default;
  int x;
  int y;
  int button;
};

class SUIInputMouseUpEvent {
 public:
  SUIInputMouseUpEvent(int x, int y, int button) : x(x), y(y), button(button) {}
  virtual ~SUIInputMouseUpEvent() = default;
  int x;
  int y;
  int button;
};

class SUIInputKeyDownEvent {
 public:
  explicit SUIInputKeyDownEvent(int key) : key(key) {}
  virtual ~SUIInputKeyDownEvent() = default;
  int key;
};

class SUIInputKeyUpEvent {
 public:
  explicit SUIInputKeyUpEvent(int key) : key(key) {}
  virtual ~SUIInputKeyUpEvent() = default;
  int key;
};

class SUIInputCharEvent {
 public:
  explicit SUIInputCharEvent(int character) : character(character) {}
  virtual ~SUIInputCharEvent() = default;
  int character;
};

}  // namespace UI
}  // namespace KorvexEngine
