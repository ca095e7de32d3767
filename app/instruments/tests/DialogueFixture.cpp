#include "DialogueFixture.h"

#include "app/core/ModularInstruments.h"
#include "app/core/SampleRoad.h"
#include "rtl/Strings.h"
#include "sim/InstrumentModel.h"

namespace {

struct TPacketForm {
  TPacketStartCond StartCond;
  const char* StartString;
  const char* EndString;
  int32_t TimeOut;
};

// The main window's packets, with the tests' time-outs.
constexpr int32_t T = TestPacketTimeOut;
constexpr TPacketForm PacketForms[18] = {
    {scString, "\n", "\r", T},                        // 1
    {scString, "You", "\r\n>", T},                    // 2
    {scAnyData, "", "\r\n>", T},                      // 3
    {scAnyData, "", "\r\n>", T},                      // 4
    {scAnyData, "", "\r\n>", T},                      // 5
    {scAnyData, "", "\r\n>", T},                      // 6
    {scAnyData, "", "\r\n>", T},                      // 7
    {scAnyData, "", ">", T},                          // 8
    {scAnyData, "", "\r\n>", 3 * T},                  // 9
    {scString, ">", "\r\n", T},                       // 10
    {scString, "", "\r\n", T},                        // 11
    {scAnyData, "", ">", 2 * T},                      // 12
    {scString, "kirvo units fitted\r\n", "\r\n>", T}, // 13
    {scString, "\r\n", "\r\n>", T},                   // 14
    {scString, "\r\n", "\r\n>", T},                   // 15
    {scString, ">", "\r\n", T},                       // 16
    {scString, ">", "\r\n", T},                       // 17
    {scString, ">", "\r\n", T},                       // 18
};

} // namespace

TTestDialogueHost::TTestDialogueHost(std::unique_ptr<TCoreData> Core)
    : FCore(std::move(Core)), FRoot(std::make_unique<TComponent>(nullptr))
{
  Screen = std::make_unique<TSetupModel>(*FCore);
  Screen->Delay = [](int32_t) {};
  for (int32_t N = 1; N <= 20; ++N) {
    auto* P = new TSioComPort(FRoot.get());
    P->SetComNumber(static_cast<uint16_t>(N));
    P->SetAutoOpen(false);
    P->SetPromptForPort(false);
    P->SetTapiMode(tmOff);
    FPorts[static_cast<size_t>(N - 1)] = P;
  }
  for (int32_t N = 1; N <= 18; ++N) {
    const TPacketForm& F = PacketForms[N - 1];
    auto* P = new TSioDataPacket(FRoot.get());
    P->SetEnabled(false);
    P->SetAutoEnable(false);
    P->SetIncludeStrings(false);
    P->SetEndCond(EndBit(ecString));
    P->SetStartCond(F.StartCond);
    P->SetStartString(AnsiString(F.StartString));
    P->SetEndString(AnsiString(F.EndString));
    P->SetTimeOut(F.TimeOut);
    FPackets[static_cast<size_t>(N - 1)] = P;
  }
  const uint32_t Intervals[] = {1000, TestTimer2Ms, TestTimer3Ms, TestTimer4Ms, 1000};
  for (size_t I = 0; I < FTimers.size(); ++I) {
    auto* Tm = new TTimer(FRoot.get());
    Tm->SetEnabled(false);
    Tm->SetInterval(Intervals[I]);
    FTimers[I] = Tm;
  }
}

TTestDialogueHost::~TTestDialogueHost()
{
  // Timers and packets go before the ports they use.
  FRoot.reset();
}

TSioComPort* TTestDialogueHost::SioComPort(int32_t N)
{
  return N >= 1 && N <= 20 ? FPorts[static_cast<size_t>(N - 1)] : nullptr;
}

TSioDataPacket* TTestDialogueHost::SioDataPacket(int32_t N)
{
  return N >= 1 && N <= 18 ? FPackets[static_cast<size_t>(N - 1)] : nullptr;
}

TTimer* TTestDialogueHost::Timer(int32_t N) { return N >= 1 && N <= 5 ? FTimers[static_cast<size_t>(N - 1)] : nullptr; }

void TTestDialogueHost::SetRowState(int32_t Row, int32_t CommandMode, int32_t Busy, int32_t RunMode)
{
  Rows.at(static_cast<size_t>(Row)) = {CommandMode, Busy, RunMode};
}

void TTestDialogueHost::SetInstrumentClock(const TInstrumentClock& C)
{
  Clock = C;
  ClockSet = true;
}

void TTestDialogueHost::SetStatusText(int32_t Panel, const String& Text)
{
  if (Panel == 0)
    Panel0.push_back(Text);
  else if (Panel == 1)
    Panel1.push_back(Text);
}

void TTestDialogueHost::ProcessMessages() { Application->ProcessMessages(); }

void TTestDialogueHost::Delay(int32_t Ticks)
{
  if (OnDelay)
    OnDelay(Ticks);
  Pauses.push_back(Ticks);
  PumpTicks(Ticks, TickMs);
}

std::unique_ptr<TCoreData> MakeDialogueCore(const std::vector<int32_t>& Fitted,
                                            const std::function<void(Array2D&)>& Edit)
{
  auto Core = std::make_unique<TCoreData>();
  Array2D Slots = TestSlots(*Core, Fitted);
  if (Edit)
    Edit(Slots);
  Core->Reset_Data_Flag = 1;
  Core->RebuildFromSlots(Slots);
  // A settings load does not read SerialTare.
  for (int32_t N = 0; N < SlotCount; ++N)
    Core->SerialArray[static_cast<size_t>(N)][SerialTare] = Slots[static_cast<size_t>(N)][SerialTare];
  Core->Reset_Data_Flag = 0;
  return Core;
}

void TDialogueTest::SetUp()
{
  EnsureApplication();
  UnmapAllComPorts();
  Clock = std::make_unique<TClockScope>(TestNow());
}

void TDialogueTest::TearDown()
{
  Reset();
  Clock.reset();
}

void TDialogueTest::Reset()
{
  // Quiet lines first: a packet is freed only once no delivery of its is
  // under way, and a delivery waits for the main thread to take it.
  for (auto& S : Sims)
    S->Stop();
  if (Host)
    QuietPackets([this](int32_t N) { return Host->SioDataPacket(N); });
  Dialogues.reset();
  Host.reset();
  Sims.clear();
  UnmapAllComPorts();
}

void QuietPackets(const std::function<TSioDataPacket*(int32_t N)>& Packet)
{
  for (int32_t N = 1; N <= 18; ++N)
    if (TSioDataPacket* P = Packet(N)) {
      P->SetAutoEnable(false);
      P->SetEnabled(false);
    }
  const auto Until = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
  while (std::chrono::steady_clock::now() < Until) {
    Application->ProcessMessages();
    WaitMessageOrTimeout(1);
  }
}

void PumpTicks(int32_t Ticks, int32_t TickMs)
{
  const auto Until = std::chrono::steady_clock::now() + std::chrono::milliseconds(Ticks * TickMs);
  do {
    Application->ProcessMessages();
    WaitMessageOrTimeout(1);
  } while (std::chrono::steady_clock::now() < Until);
}

void TDialogueTest::MakeHost(std::unique_ptr<TCoreData> Core)
{
  Host = std::make_unique<TTestDialogueHost>(std::move(Core));
  Dialogues = std::make_unique<TInstrumentDialogues>(*Host);
  Dialogues->ConnectPackets();
  TInstrumentDialogues* D = Dialogues.get();
  Host->Timer(2)->OnTimer = [D](TObject*) { D->Quorndeck.Timer2Timer(); };
  Host->Timer(3)->OnTimer = [D](TObject*) { D->Kirvo.Timer3Timer(); };
  Host->Timer(4)->OnTimer = [D](TObject*) { D->Kirvo.Timer4Timer(); };
  TCoreData* C = &Host->Core();
  using THandler = bool (*)(TCoreData&, const AnsiString&);
  const std::pair<int32_t, THandler> Modular[] = {{10, SioDataPacket10StringPacket},
                                                  {11, SioDataPacket11StringPacket},
                                                  {16, SioDataPacket16StringPacket},
                                                  {17, SioDataPacket17StringPacket},
                                                  {18, SioDataPacket18StringPacket}};
  for (const auto& [N, Handler] : Modular) {
    TSioDataPacket* P = Host->SioDataPacket(N);
    P->OnStringPacket = [C, P, Handle = Handler](TObject*, const AnsiString& Data) {
      if (!Handle(*C, Data))
        TCommandEngine::FlushPort(P->ComPort());
    };
  }
  Host->SioDataPacket(1)->OnStringPacket = [C](TObject*, const AnsiString& Data) {
    SioDataPacket1StringPacket(*C, Data);
  };
}

sim::InstrumentSimulator& TDialogueTest::StartSim(sim::InstrumentKind Kind, int32_t Port, sim::LineMode Mode,
                                                  bool Running)
{
  Sims.push_back(std::make_unique<sim::InstrumentSimulator>(Kind));
  sim::InstrumentSimulator& S = *Sims.back();
  S.SetMode(Mode);
  S.SetIntervalMs(Running ? 100 : 3600000);
  S.SetRunning(Running);
  S.WithModel([](sim::InstrumentModel& M) { M.SetWallClock([] { return TestWallClock(); }); });
  MapComPort(Port, QString::fromStdString(S.SlavePath()));
  S.Start();
  return S;
}

::testing::AssertionResult TDialogueTest::ShownInOrder(std::initializer_list<const char*> Texts) const
{
  size_t At = 0;
  for (const char* T : Texts) {
    const String Want = QString::fromLatin1(T);
    while (At < Host->Panel0.size() && Host->Panel0[At] != Want)
      ++At;
    if (At == Host->Panel0.size()) {
      QStringList Shown;
      for (const String& S : Host->Panel0)
        Shown << S;
      return ::testing::AssertionFailure()
             << "\"" << T << "\" not shown in order; shown:\n  " << Shown.join(QStringLiteral("\n  ")).toStdString();
    }
    ++At;
  }
  return ::testing::AssertionSuccess();
}

bool RepeatsOf(const AnsiString& Bytes, const AnsiString& Unit, int32_t Max)
{
  if (Unit.isEmpty() || Bytes.isEmpty() || Bytes.size() % Unit.size() != 0)
    return false;
  const qsizetype N = Bytes.size() / Unit.size();
  return N <= Max && Bytes == Unit.repeated(N);
}

AnsiString SqueezeBreaks(const AnsiString& Bytes, const AnsiString& Break)
{
  AnsiString Out = Bytes;
  const AnsiString Twice = Break + Break;
  while (Out.contains(Twice))
    Out.replace(Twice, Break);
  return Out;
}
