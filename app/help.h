#pragma once
// Help: the file "ITACA.chm" beside the program, opened with the system's
// viewer. Each component may carry a help context number; F1 opens the topic
// of the focused component (or of the nearest parent that has one).
#include <QString>
#include <functional>

class QWidget;

namespace velmora {

// Context 0 asks for the help file's contents.
inline constexpr int kAyudaContenido = 0;

void SetHelpContext(QWidget* widget, int context);
// The widget's own number, else its nearest parent's, else 0.
int HelpContextOf(const QWidget* widget);

// Opens the help file at a topic. A missing file, or a viewer that cannot be
// started, is told in a message box owned by `parent`.
void ShowHelp(QWidget* parent, int context);

// F1 anywhere in `window` opens the topic of the focused component.
void InstallHelpKey(QWidget* window);

// What opens the help file; returns false when it could not. Tests replace
// it; an empty function brings back the system's viewer.
using HelpViewer = std::function<bool(const QString& file, int context)>;
void SetHelpViewer(HelpViewer viewer);

}  // namespace velmora
