#include "key_code_map.h"

#include <Qt>

namespace tarsel {

uint8_t VirtualKeyFor(int qtKey, uint32_t nativeScanCode) {
  // Modifiers: X11 key codes are evdev codes + 8.
  switch (nativeScanCode) {
    case 50:
      return 0xA0;  // left shift
    case 62:
      return 0xA1;  // right shift
    case 37:
      return 0xA2;  // left control
    case 105:
      return 0xA3;  // right control
    case 64:
      return 0xA4;  // left alt
    case 108:
      return 0xA5;  // right alt
    case 133:
      return 0x5B;  // left windows
    case 134:
      return 0x5C;  // right windows
    default:
      break;
  }
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return static_cast<uint8_t>(qtKey);
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
    return static_cast<uint8_t>(0x70 + (qtKey - Qt::Key_F1));
  }
  switch (qtKey) {
    case Qt::Key_Backspace:
      return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 0x0D;
    case Qt::Key_Shift:
      return 0xA0;
    case Qt::Key_Control:
      return 0xA2;
    case Qt::Key_Alt:
      return 0xA4;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
      return 0x5B;
    case Qt::Key_Super_R:
      return 0x5C;
    case Qt::Key_Pause:
      return 0x13;
    case Qt::Key_CapsLock:
      return 0x14;
    case Qt::Key_Escape:
      return 0x1B;
    case Qt::Key_Space:
      return 0x20;
    case Qt::Key_PageUp:
      return 0x21;
    case Qt::Key_PageDown:
      return 0x22;
    case Qt::Key_End:
      return 0x23;
    case Qt::Key_Home:
      return 0x24;
    case Qt::Key_Left:
      return 0x25;
    case Qt::Key_Up:
      return 0x26;
    case Qt::Key_Right:
      return 0x27;
    case Qt::Key_Down:
      return 0x28;
    case Qt::Key_Print:
      return 0x2C;
    case Qt::Key_Insert:
      return 0x2D;
    case Qt::Key_Delete:
      return 0x2E;
    case Qt::Key_Menu:
      return 0x5D;
    case Qt::Key_NumLock:
      return 0x90;
    case Qt::Key_ScrollLock:
      return 0x91;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
      return 0xBA;
    case Qt::Key_Equal:
    case Qt::Key_Plus:
      return 0xBB;
    case Qt::Key_Comma:
    case Qt::Key_Less:
      return 0xBC;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
      return 0xBD;
    case Qt::Key_Period:
    case Qt::Key_Greater:
      return 0xBE;
    case Qt::Key_Slash:
    case Qt::Key_Question:
      return 0xBF;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
      return 0xC0;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
      return 0xDB;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
      return 0xDC;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
      return 0xDD;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
      return 0xDE;
    case Qt::Key_VolumeMute:
      return 0xAD;
    case Qt::Key_VolumeDown:
      return 0xAE;
    case Qt::Key_VolumeUp:
      return 0xAF;
    case Qt::Key_MediaNext:
      return 0xB0;
    case Qt::Key_MediaPrevious:
      return 0xB1;
    case Qt::Key_MediaStop:
      return 0xB2;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
      return 0xB3;
    default:
      return 0;
  }
}

}  // namespace tarsel
