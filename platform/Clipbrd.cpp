#include "platform/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool ClipboardHasText()
{
  const QMimeData* M = QGuiApplication::clipboard()->mimeData();
  return M && M->hasText();
}

String ClipboardAsText() { return QGuiApplication::clipboard()->text(); }

void SetClipboardAsText(const String& Text) { QGuiApplication::clipboard()->setText(Text); }
