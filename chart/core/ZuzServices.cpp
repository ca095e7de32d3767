#include "chart/core/ZuzServices.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZuzPen.h"
#include "chart/core/CustomZuzPanel.h"
#include "chart/core/EditorOptions.h"
#include "chart/core/ZuzStrings.h"
#include "platform/Clipbrd.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Forms.h"
#include "rtl/Exceptions.h"
#include "rtl/Files.h"
#include "rtl/IniFile.h"
#include "rtl/Streams.h"

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

namespace {

// The XML text of one attribute value.
String XmlValue(const String& V) { return V.toHtmlEscaped(); }

} // namespace

void ConvertTextToXML(TStream& Stream, bool AddHeader)
{
  TStringList In;
  Stream.SetPosition(0);
  In.LoadFromStream(Stream);
  QStringList Out;
  std::vector<String> Objects;
  std::vector<String> Path;
  const auto Indent = [&] { return String(2 * int(Objects.size() + Path.size()), QLatin1Char(' ')); };
  const auto Write = [&](const String& Tag) { Out << Indent() + Tag; };
  const auto ClosePathTo = [&](size_t Depth) {
    while (Path.size() > Depth) {
      const String P = Path.back();
      Path.pop_back();
      Write(QStringLiteral("</") + P + QLatin1Char('>'));
    }
  };
  if (AddHeader)
    Out << ZuzXMLHeader(ZuzDefaultXMLEncoding());
  QStringList Lines;
  for (int32_t I = 0; I < In.Count(); ++I) {
    const String L = In.Strings(I).trimmed();
    if (!L.isEmpty())
      Lines << L;
  }
  for (qsizetype I = 0; I < Lines.size(); ++I) {
    const String& Line = Lines[I];
    if (Line.startsWith(QStringLiteral("OBJECT"), Qt::CaseInsensitive)) {
      ClosePathTo(0);
      const String Rest = Line.mid(6).trimmed();
      const qsizetype Colon = Rest.indexOf(QLatin1Char(':'));
      const String Class = (Colon < 0 ? Rest : Rest.mid(Colon + 1)).trimmed();
      String Tag = QLatin1Char('<') + Class;
      if (Colon >= 0)
        Tag += QStringLiteral(" Name=\"") + XmlValue(Rest.left(Colon).trimmed()) + QLatin1Char('"');
      if (I + 1 < Lines.size() && Lines[I + 1].compare(QStringLiteral("END"), Qt::CaseInsensitive) == 0) {
        Write(Tag + QStringLiteral("/>"));
        ++I;
      } else {
        Write(Tag + QLatin1Char('>'));
        Objects.push_back(Class);
      }
      continue;
    }
    const qsizetype Eq = Line.indexOf(QLatin1Char('='));
    String Name = (Eq < 0 ? Line : Line.left(Eq)).trimmed();
    // A dotted name opens one element per part before its last dot,
    // reusing the parts already open at the same depth.
    const QStringList Parts = Name.split(QLatin1Char('.'));
    size_t Same = 0;
    while (Same < Path.size() && Same + 1 < size_t(Parts.size()) && Path[Same] == Parts[qsizetype(Same)])
      ++Same;
    ClosePathTo(Same);
    for (qsizetype P = qsizetype(Same); P + 1 < Parts.size(); ++P) {
      Write(QLatin1Char('<') + Parts[P] + QLatin1Char('>'));
      Path.push_back(Parts[P]);
    }
    Name = Parts.back();
    if (Eq < 0) {
      if (Line.compare(QStringLiteral("END"), Qt::CaseInsensitive) != 0 || Objects.empty())
        throw EConvertError(QStringLiteral("Wrong DFM format: ") + Line);
      ClosePathTo(0);
      const String Class = Objects.back();
      Objects.pop_back();
      Write(QStringLiteral("</") + Class + QLatin1Char('>'));
      continue;
    }
    const String Value = Line.mid(Eq + 1).trimmed();
    if (Value == QStringLiteral("(") || Value == QStringLiteral("{")) {
      const QChar Close = Value == QStringLiteral("(") ? QLatin1Char(')') : QLatin1Char('}');
      Write(QLatin1Char('<') + Name + QLatin1Char('>'));
      Path.push_back(Name);
      while (++I < Lines.size()) {
        Write(QStringLiteral("<String value=\"") + XmlValue(Lines[I].chopped(1)) + QStringLiteral("\"/>"));
        if (Lines[I].endsWith(Close))
          break;
      }
      ClosePathTo(Path.size() - 1);
    } else if (Value.startsWith(QLatin1Char('<')) && Value != QStringLiteral("<>")) {
      Write(QLatin1Char('<') + Name + QLatin1Char('>'));
      Path.push_back(Name);
      const size_t Depth = Path.size();
      while (++I < Lines.size() && Lines[I].compare(QStringLiteral("end>"), Qt::CaseInsensitive) != 0) {
        const String& L = Lines[I];
        if (L.compare(QStringLiteral("item"), Qt::CaseInsensitive) == 0) {
          Write(QStringLiteral("<item>"));
          Path.push_back(QStringLiteral("item"));
        } else if (L.compare(QStringLiteral("end"), Qt::CaseInsensitive) == 0)
          ClosePathTo(Path.size() - 1);
        else {
          const qsizetype E = L.indexOf(QLatin1Char('='));
          Write(QLatin1Char('<') + L.left(E).trimmed() + QStringLiteral(" value=\"") +
                XmlValue(L.mid(E + 1).trimmed()) + QStringLiteral("\"/>"));
        }
      }
      ClosePathTo(Depth - 1);
    } else
      Write(QLatin1Char('<') + Name + QStringLiteral(" value=\"") +
            XmlValue(Value == QStringLiteral("<>") ? String() : Value) + QStringLiteral("\"/>"));
  }
  // Written only once the whole text converted: a format error leaves the
  // stream as it was.
  TStringList Result;
  for (const QString& L : Out)
    Result.Add(L);
  Stream.SetSize(0);
  Stream.SetPosition(0);
  Result.SaveToStream(Stream);
}
