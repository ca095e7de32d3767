#include "serial/SioBaseDispatcher.h"

#include "FakeDispatcher.h"
#include "serial/SioErrors.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Bytes 0, 1, 2, ... from First on, wrapping at 256.
AnsiString Counting(int32_t Count, int32_t First = 0)
{
  AnsiString S;
  S.reserve(Count);
  for (int32_t I = 0; I < Count; ++I)
    S.append(char((First + I) & 0xFF));
  return S;
}

AnsiString Take(TFakeDispatcher& D, uint32_t Len)
{
  AnsiString S(qsizetype(Len), '\0');
  EXPECT_EQ(D.GetBlock(S.data(), Len), int32_t(Len));
  return S;
}

class OpenDispatcher : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_EQ(D.Open(), ecOK); }
  TFakeDispatcher D;
};

} // namespace

TEST(DispatcherOpen, InputRingIs8192WhateverTheInputSize)
{
  for (uint32_t InSize : {1u, 100u, 4096u, 65535u}) {
    TFakeDispatcher D;
    ASSERT_EQ(D.Open(InSize, 4096), ecOK) << InSize;
    EXPECT_EQ(D.InBuffUsed(), 0u) << InSize;
    EXPECT_EQ(D.InBuffFree(), 8192u) << InSize;
    uint32_t In = 0, Out = 0;
    D.BufferSizes(In, Out);
    EXPECT_EQ(In, InSize);
    EXPECT_EQ(Out, 4096u);
  }
}

TEST(DispatcherOpen, FailuresLeaveTheDispatcherReleased)
{
  {
    TFakeDispatcher D;
    D.OpenError = 2; // no such device
    EXPECT_EQ(D.Open(), -2);
    EXPECT_EQ(D.ComHandle(), -1);
    EXPECT_EQ(D.PutString("x"), ecCommNotOpen);
  }
  {
    TFakeDispatcher D;
    D.OpenOutOfMemory = true;
    EXPECT_EQ(D.Open(), ecOutOfMemory);
  }
  {
    // The device cannot run the line: the open fails rather than running at
    // the wrong rate.
    TFakeDispatcher D;
    D.Refuse = [](const TDCB&) { return ecBaudRate; };
    EXPECT_EQ(D.Open(), ecBaudRate);
    EXPECT_FALSE(D.Active());
    EXPECT_EQ(D.PutString("x"), ecCommNotOpen);
  }
  {
    TFakeDispatcher D;
    EXPECT_EQ(D.InitPort(QStringLiteral("COM1"), 19200, 0, 8, 1, 4096, 1u << 24, 0), ecBufferTooBig);
  }
}

TEST(DispatcherOpen, ASecondOpenIsRefused)
{
  TFakeDispatcher D;
  ASSERT_EQ(D.Open(), ecOK);
  D.Receive("abc");
  EXPECT_EQ(D.Open(), ecAlreadyOpen);
  EXPECT_EQ(D.InBuffUsed(), 3u) << "the open port is untouched";
}

TEST(DispatcherOpen, ClosedDispatcherRefusesIO)
{
  TFakeDispatcher D;
  char C = 0;
  char Buf[4];
  EXPECT_EQ(D.PutString("abc"), ecCommNotOpen);
  EXPECT_EQ(D.GetChar(C), ecCommNotOpen);
  EXPECT_EQ(D.GetBlock(Buf, 4), ecCommNotOpen);
  EXPECT_FALSE(D.CharReady());
  EXPECT_EQ(D.InBuffUsed(), 0u);
  ASSERT_EQ(D.Open(), ecOK);
  D.DonePort();
  EXPECT_EQ(D.PutString("abc"), ecCommNotOpen);
  EXPECT_EQ(D.PeekChar(C, 1), ecCommNotOpen);
  EXPECT_FALSE(D.ExtractData());
}

TEST(DispatcherTable, FreedHandlesAreReused)
{
  auto A = std::make_unique<TFakeDispatcher>();
  auto B = std::make_unique<TFakeDispatcher>();
  const int32_t HandleA = A->Handle();
  EXPECT_NE(HandleA, B->Handle());
  A.reset();
  TFakeDispatcher C;
  EXPECT_EQ(C.Handle(), HandleA);
  TSioBaseDispatcher::LockPortList();
  EXPECT_EQ(TSioBaseDispatcher::PortListEntry(C.Handle()), &C);
  EXPECT_EQ(TSioBaseDispatcher::PortListEntry(B->Handle()), B.get());
  EXPECT_EQ(TSioBaseDispatcher::PortListEntry(-1), nullptr);
  EXPECT_EQ(TSioBaseDispatcher::PortListEntry(100000), nullptr);
  TSioBaseDispatcher::UnlockPortList();
}

TEST_F(OpenDispatcher, GetBlockIsAllOrNothing)
{
  D.Receive("abcd");
  char Buf[8];
  EXPECT_EQ(D.GetBlock(Buf, 5), ecBufferIsEmpty);
  EXPECT_EQ(D.InBuffUsed(), 4u);
  EXPECT_EQ(Take(D, 4), AnsiString("abcd"));
  EXPECT_FALSE(D.CharReady());
}

TEST_F(OpenDispatcher, FullRingStopsReadingUntilBytesAreTaken)
{
  const AnsiString All = Counting(8192 + 100);
  D.Receive(All);
  EXPECT_EQ(D.InBuffUsed(), 8192u);
  EXPECT_EQ(D.InBuffFree(), 0u);
  EXPECT_TRUE(D.CharReady());
  EXPECT_TRUE(D.ExtractData()) << "a full ring reports data waiting";
  EXPECT_EQ(D.Incoming.size(), 100) << "and reads nothing";

  EXPECT_EQ(Take(D, 5), All.left(5));
  EXPECT_EQ(D.InBuffFree(), 5u) << "no longer full";
  D.Receive(AnsiString());
  EXPECT_EQ(D.InBuffUsed(), 8192u);
  // The bytes come out in arrival order across the end of the ring.
  EXPECT_EQ(Take(D, 8192), All.mid(5, 8192));
  EXPECT_EQ(D.InBuffUsed(), 0u);
  D.Receive(AnsiString());
  EXPECT_EQ(Take(D, 95), All.mid(8197));
}

TEST_F(OpenDispatcher, BytesKeepTheirOrderAcrossTheRingEnd)
{
  D.Receive(Counting(8000));
  Take(D, 8000);
  const AnsiString Wrapping = Counting(500, 7);
  D.Receive(Wrapping);
  char C = 0;
  ASSERT_EQ(D.PeekChar(C, 300), ecOK);
  EXPECT_EQ(C, Wrapping[299]);
  EXPECT_EQ(Take(D, 500), Wrapping);
}

TEST_F(OpenDispatcher, PeekLeavesTheBytes)
{
  D.Receive("xyz");
  char C = 0;
  const struct {
    uint32_t Count;
    int32_t Result;
    char C;
  } Cases[] = {
      {1, ecOK, 'x'}, {3, ecOK, 'z'}, {4, ecBufferIsEmpty, 0}, {0, ecBadArgument, 0}, {9000, ecBadArgument, 0}};
  for (const auto& K : Cases) {
    C = 0;
    EXPECT_EQ(D.PeekChar(C, K.Count), K.Result) << K.Count;
    if (K.Result == ecOK) {
      EXPECT_EQ(C, K.C) << K.Count;
    }
  }
  char Buf[3];
  EXPECT_EQ(D.PeekBlock(Buf, 2), 2);
  EXPECT_EQ(AnsiString(Buf, 2), AnsiString("xy"));
  EXPECT_EQ(D.PeekBlock(Buf, 4), ecBufferIsEmpty);
  EXPECT_EQ(D.InBuffUsed(), 3u);
  ASSERT_EQ(D.GetChar(C), ecOK);
  EXPECT_EQ(C, 'x');
  EXPECT_EQ(D.InBuffUsed(), 2u);
}

TEST_F(OpenDispatcher, ArgumentsAreChecked)
{
  EXPECT_EQ(D.GetBlock(nullptr, 1), ecBadArgument);
  EXPECT_EQ(D.PeekBlock(nullptr, 1), ecBadArgument);
  EXPECT_EQ(D.PutBlock(nullptr, 1), ecBadArgument);
  EXPECT_EQ(D.GetBlock(nullptr, 0), 0);
  int32_t Slot = 0;
  void* P = nullptr;
  for (uint32_t Index : {0u, 4u, 0xFFFFFFFFu}) {
    EXPECT_EQ(D.SetDataPointer(&Slot, Index), ecBadArgument) << Index;
    EXPECT_EQ(D.GetDataPointer(P, Index), ecBadArgument) << Index;
  }
  for (uint32_t Index : {1u, 2u, 3u}) {
    EXPECT_EQ(D.SetDataPointer(&Slot + Index, Index), ecOK);
    EXPECT_EQ(D.GetDataPointer(P, Index), ecOK);
    EXPECT_EQ(P, &Slot + Index);
  }
}

TEST_F(OpenDispatcher, FlushInBufferDiscardsRingAndDevice)
{
  D.Receive("abc");
  D.Incoming = "def";
  EXPECT_NE(D.FlushInBuffer(), 0);
  EXPECT_EQ(D.InBuffUsed(), 0u);
  EXPECT_TRUE(D.Incoming.isEmpty());
  EXPECT_FALSE(D.CharReady());
}

TEST(DispatcherOutput, PutBlockOfExactlyTheRoomFillsTheRing)
{
  TFakeDispatcher D;
  ASSERT_EQ(D.Open(4096, 10), ecOK);
  EXPECT_EQ(D.PutString("123456"), ecOK);
  EXPECT_EQ(D.PutString("abcde"), ecOutputBufferTooSmall);
  EXPECT_EQ(D.OutBuffUsed(), 6u) << "nothing of the refused block was queued";
  EXPECT_EQ(D.PutString("abcd"), ecOK);
  EXPECT_EQ(D.OutBuffFree(), 0u);
  EXPECT_EQ(D.PutChar('x'), ecOutputBufferTooSmall);
  EXPECT_EQ(D.Drain(), AnsiString("123456abcd"));
  // After the writer emptied the ring the room is all there again, and the
  // ring's wrap does not disturb the order.
  EXPECT_EQ(D.PutString("0123456789"), ecOK);
  EXPECT_EQ(D.Drain(), AnsiString("0123456789"));
}

TEST(DispatcherOutput, EmptyBlockTouchesNothing)
{
  TFakeDispatcher D;
  ASSERT_EQ(D.Open(), ecOK);
  EXPECT_EQ(D.PutBlock("x", 0), ecOK);
  EXPECT_EQ(D.PutString(AnsiString()), ecOK);
  EXPECT_EQ(D.WriteCalls, 0);
  EXPECT_EQ(D.OutBuffUsed(), 0u);
}

TEST(DispatcherOptions, FlagsAndOptions)
{
  TFakeDispatcher D;
  D.OptionsOn(0x5);
  EXPECT_TRUE(D.OptionsAreOn(0x4));
  EXPECT_TRUE(D.OptionsAreOn(0x5));
  EXPECT_FALSE(D.OptionsAreOn(0x6));
  D.OptionsOff(0x4);
  EXPECT_EQ(D.Flags(), 0x1u);
}
