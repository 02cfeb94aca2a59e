#pragma once
// Moving an undecorated window with the pointer, as a press on a caption bar would.

#include <QPoint>

class QWidget;

// Called from a left-button press on one of the window's controls, `pressedAt` being the press's
// screen position: the window follows the pointer, and the call returns once the left button is up again. Paint events go on meanwhile;
// the pointer's moves and the release do not reach the controls. The window system is asked to
// move the window first; where it cannot (plain X servers, some window managers), the window is
// moved here, following the pointer in a nested event loop.
void MoveWindowWithPointer(QWidget* window, QPoint pressedAt);

namespace WindowMove {
// How many moves have been asked for since the start (for tests).
int RequestCount();
}  // namespace WindowMove
