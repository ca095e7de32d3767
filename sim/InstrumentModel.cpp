#include "sim/InstrumentModel.h"

#include "sim/KirvoModel.h"
#include "sim/QuorndeckModel.h"

namespace sim {

namespace {
bool IsDigit(char C) { return C >= '0' && C <= '9'; }
} // namespace

InstrumentModel::InstrumentModel(InstrumentKind Kind, const AnsiString& ErrorText)
    : FKind(Kind), FErrorText(ErrorText), FWallClock([] { return QDateTime::currentDateTime(); })
{
}

InstrumentModel::~InstrumentModel() = default;

std::unique_ptr<InstrumentModel> InstrumentModel::Create(InstrumentKind Kind)
{
  if (Kind == InstrumentKind::Quorndeck)
    return std::make_unique<QuorndeckModel>();
  return std::make_unique<KirvoModel>(Kind == InstrumentKind::Atmospheric);
}

QDateTime InstrumentModel::InstrumentTime() const { return FWallClock().addMSecs(FClockOffsetMs); }

void InstrumentModel::SetScript(std::vector<AnsiString> Lines)
{
  FScript = std::move(Lines);
  FScriptPos = 0;
}

bool InstrumentModel::Accepts(const AnsiString& Line, AnsiString* CommandText, int* Prefix) const
{
  int P = -1;
  AnsiString Rest = Line;
  if (Line.size() >= 3 && IsDigit(Line[0]) && IsDigit(Line[1]) && Line[2] == ':') {
    P = (Line[0] - '0') * 10 + (Line[1] - '0');
    Rest = Line.mid(3);
  }
  // On a bus an unaddressed line or another instrument's line must not be
  // answered: two talkers would garble each other.
  if (FMode == LineMode::RS485 && (P < 0 || !ListensTo(P)))
    return false;
  if (CommandText)
    *CommandText = Rest;
  if (Prefix)
    *Prefix = P;
  return true;
}

Response InstrumentModel::Handle(const AnsiString& Line, bool AnswerError)
{
  Command C;
  if (!Accepts(Line, &C.Text, &C.Prefix))
    return {};
  const bool IsBreak = C.Text == "#" || C.Text == "##";
  if (FRunning && !IsBreak)
    return {};

  // The reply is framed for the mode the line arrived in, even when the
  // command itself switches the address mode.
  const LineMode In = FMode;
  Response R;
  R.Answered = true;
  if (In == LineMode::RS232)
    R.Echo = Line + "\r\n";
  if (AnswerError) {
    R.Reply = Frame(FErrorText, In);
    return R;
  }
  if (IsBreak) {
    FRunning = false;
    R.Reply = Frame(BreakBody(), In);
    return R;
  }

  if (C.Text.size() >= 4 && C.Text[0] == '#' && IsDigit(C.Text[1]) && IsDigit(C.Text[2]) && IsDigit(C.Text[3]) &&
      (C.Text.size() == 4 || C.Text[4] == ';')) {
    C.Number = C.Text.mid(1, 3).toInt();
    if (C.Text.size() > 5)
      for (const QByteArray& A : C.Text.mid(5).split(';'))
        C.Args.push_back(A);
  }

  AnsiString Body;
  switch (Execute(C, Body)) {
  case Outcome::Reply:
    R.Reply = Frame(Body, In);
    break;
  case Outcome::Refuse:
    R.Reply = Frame(FErrorText, In);
    break;
  case Outcome::Run:
    FRunning = true;
    R.Reply = RunReply(In);
    break;
  }
  return R;
}

AnsiString InstrumentModel::NextSample()
{
  const int64_t Index = FSampleIndex++;
  if (FScript.empty())
    return GeneratedSample(Index);
  const AnsiString& L = FScript[FScriptPos];
  FScriptPos = (FScriptPos + 1) % FScript.size();
  return L + "\r\n";
}

void InstrumentModel::RestartSamples()
{
  FSampleIndex = 0;
  FScriptPos = 0;
}

bool InstrumentModel::SetClockFromArgs(const Command& C)
{
  if (C.Args.size() != 6)
    return false;
  int V[6];
  for (int I = 0; I < 6; ++I) {
    bool Ok = false;
    V[I] = C.Args[size_t(I)].toInt(&Ok);
    if (!Ok || C.Args[size_t(I)].size() != 2)
      return false;
  }
  const QDateTime T(QDate(2000 + V[2], V[1], V[0]), QTime(V[3], V[4], V[5]));
  if (!T.isValid())
    return false;
  FClockOffsetMs = FWallClock().msecsTo(T);
  return true;
}

void InstrumentModel::AddSetting(int SetNumber, int GetNumber, const AnsiString& Default)
{
  FQueryOfSet[SetNumber] = GetNumber;
  FSettings[GetNumber] = Default;
}

bool InstrumentModel::PlainSetting(const Command& C, AnsiString& Body, Outcome& Result)
{
  if (auto S = FQueryOfSet.find(C.Number); S != FQueryOfSet.end()) {
    Result = C.Args.empty() ? Outcome::Refuse : Outcome::Reply;
    if (Result == Outcome::Reply)
      FSettings[S->second] = C.Text.mid(5);
    return true;
  }
  if (auto Q = FSettings.find(C.Number); Q != FSettings.end()) {
    Result = C.Args.empty() ? Outcome::Reply : Outcome::Refuse;
    if (Result == Outcome::Reply)
      Body = Q->second;
    return true;
  }
  return false;
}

void InstrumentModel::SetTare(double Value)
{
  FTare = Value;
  FTareTime = TimeText(InstrumentTime());
}

AnsiString InstrumentModel::TareReply() const { return QByteArray::number(FTare, 'f', 3) + ";" + FTareTime; }

AnsiString InstrumentModel::TwoDigits(int V) { return QByteArray::number(V).rightJustified(2, '0'); }

AnsiString InstrumentModel::TimeText(const QDateTime& T)
{
  return T.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")).toLatin1();
}

} // namespace sim
