#include "chart/core/ZuzServices.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/CustomZuzPanel.h"
#include "chart/core/EditorOptions.h"
#include "platform/Clipbrd.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "rtl/Exceptions.h"
#include "rtl/Files.h"
#include "rtl/IniFile.h"

#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

std::function<void(const String&, TStream*, const TZuzProgress&, bool)> ZuzDownloadHook;

float ZuzTickCount() { return static_cast<float>(TimeGetTime()); }

void ZuzPrepareXorPen(TCustomZuzPanel* Panel, TZuzPen* Pen)
{
  TCanvas3D* C = Panel->InternalCanvas();
  const TColor Back = ColorToRGB(Panel->GetBackColor());
  C->AssignVisiblePenColor(Pen, (0xFFFFFF - Back) ^ ColorToRGB(Pen->Color()));
  C->Pen()->SetMode(pmNotXor);
}

void ZuzCopyClipboard(const String& St) { SetClipboardAsText(St); }

void EnableControls(bool Enable, std::span<TControl* const> Controls)
{
  for (TControl* C : Controls)
    if (C)
      C->SetEnabled(Enable);
}

void RemoveControls(TWinControl* AControl)
{
  while (AControl->ControlCount() > 0)
    delete AControl->Controls(0);
}

int32_t ZuzGotoURL(const String& URL)
{
  // Plain paths open as documents.
  const QUrl U = QUrl::fromUserInput(URL);
  return QDesktopServices::openUrl(U) ? 33 : 2;
}

std::unique_ptr<TStringList> ZuzGetFilesFromDir(const String& Mask)
{
  auto Result = std::make_unique<TStringList>();
  const QFileInfo Info(Mask);
  const QDir Dir(Info.path());
  const QStringList Names =
      Dir.entryList(QStringList{Info.fileName()}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  for (const QString& N : Names)
    Result->Add(N);
  return Result;
}

void ZuzLoadFormPosition(TCustomForm* Form, const String& Key, bool Position, bool Size)
{
  {
    TIniFile Ini(ZuzEditorOptionsFile());
    if (Position && Ini.ValueExists(Key, QStringLiteral("Left"))) {
      Form->SetPosition(poDesigned);
      Form->SetLeft(std::max(0, Ini.ReadInteger(Key, QStringLiteral("Left"), Form->Left())));
      Form->SetTop(std::max(0, Ini.ReadInteger(Key, QStringLiteral("Top"), Form->Top())));
    }
    if (Size) {
      Form->SetWindowState(Ini.ReadBool(Key, QStringLiteral("Maximized"), false) ? wsMaximized : wsNormal);
      Form->SetWidth(std::max(100, Ini.ReadInteger(Key, QStringLiteral("Width"), Form->Width())));
      Form->SetHeight(std::max(100, Ini.ReadInteger(Key, QStringLiteral("Height"), Form->Height())));
    }
  }
  // Settings from a larger screen must not leave the form out of reach.
  if (Form->Left() > Screen->Width())
    Form->SetLeft(Screen->Width() - Form->Width());
  if (Form->Top() > Screen->Height())
    Form->SetTop(Screen->Height() - Form->Height());
}

void ZuzSaveFormPosition(TCustomForm* Form, const String& Key, bool Position, bool Size)
{
  try {
    const String File = ZuzEditorOptionsFile();
    ForceDirectories(ExtractFileDir(File));
    TIniFile Ini(File);
    const bool Maximized = Form->WindowState() == wsMaximized;
    if (Position && !Maximized) {
      Ini.WriteInteger(Key, QStringLiteral("Left"), Form->Left());
      Ini.WriteInteger(Key, QStringLiteral("Top"), Form->Top());
    }
    if (Size) {
      if (!Maximized) {
        Ini.WriteInteger(Key, QStringLiteral("Width"), Form->Width());
        Ini.WriteInteger(Key, QStringLiteral("Height"), Form->Height());
      }
      Ini.WriteBool(Key, QStringLiteral("Maximized"), Maximized);
    }
  } catch (const Exception& E) {
    qWarning().noquote() << QStringLiteral("Placement of form %1 not saved: %2").arg(Key, E.Message());
  }
}

int32_t TStringsStack::Push(const String& Value)
{
  Add(Value);
  return Count() - 1;
}

String TStringsStack::Pop()
{
  if (Count() == 0)
    return String();
  const String Top = Strings(Count() - 1);
  Delete(Count() - 1);
  return Top;
}
