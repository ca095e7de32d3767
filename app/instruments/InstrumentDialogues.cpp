#include "app/instruments/InstrumentDialogues.h"

#include "app/core/ModularInstruments.h"
#include "app/core/SetupScreen.h"
#include "serial/SioDataPacket.h"

TInstrumentDialogues::TInstrumentDialogues(IDialogueHost& Host) : Engine(Host), Quorndeck(Engine), Kirvo(Engine) {}

void TInstrumentDialogues::ConnectPackets()
{
  IDialogueHost& H = Engine.Host();
  const auto On = [&H](int32_t N) { return H.SioDataPacket(N); };
  TQuorndeckProtocol& Q = Quorndeck;
  TKirvoProtocol& K = Kirvo;

  On(2)->OnPacket = [&Q](TObject*, const void*, int32_t) { Q.SioDataPacket2Packet(); };
  On(2)->OnTimeout = [&Q](TObject*) { Q.SioDataPacket2Timeout(); };
  On(8)->OnPacket = [&Q](TObject*, const void*, int32_t) { Q.SioDataPacket8Packet(); };
  On(8)->OnTimeout = [&Q](TObject*) { Q.SioDataPacket8Timeout(); };
  On(3)->OnStringPacket = [&Q](TObject*, const AnsiString& D) { Q.SioDataPacket3StringPacket(D); };
  On(3)->OnTimeout = [&Q](TObject*) { Q.SioDataPacket3Timeout(); };
  On(4)->OnStringPacket = [&Q](TObject*, const AnsiString& D) { Q.SioDataPacket4StringPacket(D); };
  On(5)->OnStringPacket = [&Q](TObject*, const AnsiString& D) { Q.SioDataPacket5StringPacket(D); };
  On(6)->OnStringPacket = [&Q](TObject*, const AnsiString& D) { Q.SioDataPacket6StringPacket(D); };
  On(7)->OnStringPacket = [&Q](TObject*, const AnsiString& D) { Q.SioDataPacket7StringPacket(D); };
  On(9)->OnStringPacket = [&Q](TObject*, const AnsiString& D) { Q.SioDataPacket9StringPacket(D); };
  for (const int32_t N : {4, 5, 6, 7, 9})
    On(N)->OnTimeout = [&Q, N](TObject*) { Q.QueryTimeout(N); };

  On(12)->OnStringPacket = [&K](TObject*, const AnsiString& D) { K.SioDataPacket12StringPacket(D); };
  On(12)->OnTimeout = [&K](TObject*) { K.SioDataPacket12Timeout(); };
  On(13)->OnStringPacket = [&K](TObject*, const AnsiString& D) { K.SioDataPacket13StringPacket(D); };
  On(13)->OnTimeout = [&K](TObject*) { K.SioDataPacket13Timeout(); };
  On(14)->OnStringPacket = [&K](TObject*, const AnsiString& D) { K.SioDataPacket14StringPacket(D); };
  On(14)->OnTimeout = [&K](TObject*) { K.SioDataPacket14Timeout(); };
  On(15)->OnStringPacket = [&K](TObject*, const AnsiString& D) { K.SioDataPacket15StringPacket(D); };
  On(15)->OnTimeout = [&K](TObject*) { K.SioDataPacket15Timeout(); };
}

bool TInstrumentDialogues::ButtonClick(int32_t Column, int32_t Row)
{
  if (Engine.Running())
    return false;
  const bool Profiling = Row == SetupRowQuorndeck;
  const bool Modular = ModularOfSetupRow(Row) != 0;
  if ((!Profiling && !Modular) || Column < SetupColumnInterrupt || Column > SetupColumnRun)
    return false;
  // The dialogues work with the settings on the screen.
  Engine.Host().WriteIniFile();
  switch (Column) {
  case SetupColumnInterrupt:
    return Profiling ? Quorndeck.Break_In_Quorndeck() : Kirvo.Break_In_Kirvo(Row);
  case SetupColumnSet:
    return Profiling ? Quorndeck.Set_Quorndeck() : Kirvo.Set_Kirvo(Row);
  default:
    return Profiling ? Quorndeck.Run_Quorndeck() : Kirvo.Run_Kirvo(Row);
  }
}

bool TInstrumentDialogues::SetTimeClick() { return Quorndeck.Set_Time(); }
