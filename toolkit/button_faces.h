#pragma once
// The faces of a picture button and which one each mouse event shows. Index
// n of a button array holds face n; index 0 is the button the user sees.
namespace toolkit {

enum class Face { Normal = 1, Hover = 2, Pressed = 3 };

// Any button pressed on it shows it pressed.
constexpr Face FaceOnMouseDown() { return Face::Pressed; }

// Moving over it shows the hover face, or the pressed face while the left
// button alone is held (a pressed button keeps the moves until release).
constexpr Face FaceOnMouseMove(int buttons) { return buttons == 1 ? Face::Pressed : Face::Hover; }

// Releasing any button shows the normal face, wherever the pointer is.
constexpr Face FaceOnMouseUp() { return Face::Normal; }

}  // namespace toolkit
