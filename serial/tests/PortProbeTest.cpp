// Port probing and the port selection dialog, offscreen.
#include "serial/PortProbe.h"

#include "PortTestSupport.h"
#include "platform/PtyPair.h"
#include "serial/ComSelectForm.h"
#include "serial/SioComPort.h"
#include "serial/SioErrors.h"
#include "serial/SioExceptions.h"

#include <gtest/gtest.h>

#include "platform/StdCtrls.h"
#include "rtl/StringList.h"

#include <QApplication>
#include <QTimer>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

void EnsureGuiApplication()
{
  if (QCoreApplication::instance())
    return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int Argc = 1;
  static char Name[] = "serial_tests";
  static char* Argv[] = {Name, nullptr};
  new QApplication(Argc, Argv);
}

// Maps every probed COM number to nothing, except those the test maps.
class PortMap {
public:
  PortMap()
  {
    for (uint32_t N = 1; N <= MaxProbedPort; ++N)
      Envs.push_back(std::make_unique<ScopedEnv>(Name(N).c_str(), QStringLiteral("/nonexistent/tty%1").arg(N)));
  }
  void Map(uint32_t N, const String& Path) { Envs.push_back(std::make_unique<ScopedEnv>(Name(N).c_str(), Path)); }

private:
  static std::string Name(uint32_t N) { return "FATHOMIX_COM" + std::to_string(N); }
  std::vector<std::unique_ptr<ScopedEnv>> Envs;
};

// Clicks a button of the modal dialog once it shows.
void ClickWhenShown(const std::function<void(TComSelectForm&)>& Act)
{
  QTimer::singleShot(0, [Act] {
    auto* Form = dynamic_cast<TComSelectForm*>(TWinControl::FindControl(QApplication::activeModalWidget()));
    if (!Form) {
      ADD_FAILURE() << "no dialog shown";
      return;
    }
    Act(*Form);
  });
}

// A port with no number that asks for one; port 5 exists.
class PortWithoutNumber : public ::testing::Test {
protected:
  static void SetUpTestSuite() { EnsureGuiApplication(); }
  void SetUp() override
  {
    Map.Map(5, Pty.SlavePath());
    Port.SetPromptForPort(true);
  }

  PtyPair Pty;
  PortMap Map;
  TSioComPort Port{nullptr};
};

} // namespace

TEST(PortProbe, MappedPortsExistUnmappedOnesDoNot)
{
  PtyPair Pty;
  ASSERT_TRUE(Pty.IsOpen());
  PortMap Map;
  Map.Map(7, Pty.SlavePath());
  EXPECT_TRUE(IsPortAvailable(7));
  EXPECT_FALSE(IsPortAvailable(8));
  EXPECT_FALSE(IsPortAvailable(0));
  EXPECT_EQ(MakeComName(7), QStringLiteral("\\\\.\\COM7"));
  // A port in use by another program is still there.
  TSioComPort Holder(nullptr);
  Holder.SetComNumber(7);
  Holder.SetPromptForPort(false);
  Holder.SetOpen(true);
  EXPECT_TRUE(IsPortAvailable(7));
}

TEST(ComSelectForm, ListsThePortsThatExistInOrder)
{
  EnsureGuiApplication();
  PtyPair A, B;
  PortMap Map;
  Map.Map(12, A.SlavePath());
  Map.Map(3, B.SlavePath());
  TComSelectForm Form;
  EXPECT_EQ(Form.Caption(), QStringLiteral("Select Port"));
  ASSERT_EQ(Form.PortsComboBox->Items()->Count(), 2);
  EXPECT_EQ(Form.PortsComboBox->Items()->Strings(0), QStringLiteral("COM3"));
  EXPECT_EQ(Form.PortsComboBox->Items()->Strings(1), QStringLiteral("COM12"));
  EXPECT_EQ(Form.SelectedCom(), QStringLiteral("COM3"));
  EXPECT_EQ(Form.SelectedComNum(), 3);
  Form.PortsComboBox->SetItemIndex(1);
  EXPECT_EQ(Form.SelectedComNum(), 12);
  EXPECT_TRUE(Form.OkBtn->Enabled());
}

TEST(ComSelectForm, OkOnAnEmptyListDoesNothing)
{
  EnsureGuiApplication();
  PortMap Map;
  TComSelectForm Form;
  EXPECT_EQ(Form.PortsComboBox->Items()->Count(), 0);
  EXPECT_FALSE(Form.OkBtn->Enabled());
  EXPECT_EQ(Form.SelectedComNum(), 0);
  EXPECT_TRUE(Form.SelectedCom().isEmpty());
  ClickWhenShown([](TComSelectForm& F) {
    F.OkBtn->Click();       // nothing selected: no effect
    F.SetModalResult(mrOk); // even a forced OK names no port
  });
  uint16_t Number = 99;
  EXPECT_FALSE(ExecuteComSelectDialog(Number));
  EXPECT_EQ(Number, 99);
}

TEST_F(PortWithoutNumber, OpeningAsksForOne)
{
  ClickWhenShown([](TComSelectForm& F) { F.OkBtn->Click(); });
  Port.SetOpen(true);
  EXPECT_TRUE(Port.Open());
  EXPECT_EQ(Port.ComNumber(), 5);
  Port.PutString("hi");
  EXPECT_EQ(Pty.ReadMaster(2, WaitLimitMs), AnsiString("hi"));
}

TEST_F(PortWithoutNumber, CancelInTheDialogueLeavesItClosed)
{
  ClickWhenShown([](TComSelectForm& F) { F.AbortBtn->Click(); });
  try {
    Port.SetOpen(true);
    ADD_FAILURE() << "opened without a port";
  } catch (const ENoPortSelected& E) {
    EXPECT_EQ(E.ErrorCode(), ecNoPortSelected);
  }
  EXPECT_FALSE(Port.Open());
  EXPECT_EQ(Port.ComNumber(), 0);
}
