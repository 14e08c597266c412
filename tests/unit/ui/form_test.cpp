#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/headless/headless.h"

namespace ui {
namespace {

class FormTest : public ::testing::Test {
protected:
    HeadlessBackend backend;
    App app{backend, "Title"};
    std::vector<std::string> events;

    Form& Make(const std::string& name) {
        Form& f = app.Create<Form>(name, 3000, 2000);
        f.OnLoad = [this, name] { events.push_back(name + ".Load"); };
        f.OnResize = [this, name] { events.push_back(name + ".Resize"); };
        f.OnActivate = [this, name] { events.push_back(name + ".Activate"); };
        f.OnUnload = [this, name] { events.push_back(name + ".Unload"); };
        f.OnKeyDown = [this, name](int key, int) { events.push_back(name + ".Key" + std::to_string(key)); };
        return f;
    }
};

TEST_F(FormTest, ShowLoadsResizesOnceAndActivatesEachTime) {
    Form& f = Make("frmMain");
    f.OnActivate = [&] {
        events.push_back("Activate");
        f.Show();  // activation is not re-entered
    };
    EXPECT_EQ(f.Handle(), 0);
    f.Show();
    EXPECT_NE(f.Handle(), 0);
    f.Hide();
    f.Show();
    EXPECT_EQ(events, (std::vector<std::string>{"frmMain.Load", "frmMain.Resize", "Activate", "Activate"}));
    EXPECT_EQ(app.FindForm("frmMain"), &f);
}

TEST_F(FormTest, EndDuringLoadStopsEverything) {
    Form& f = Make("frmMain");
    f.OnLoad = [&] {
        app.End(3);
        events.push_back("after End");
    };
    f.Show();
    EXPECT_EQ(events, std::vector<std::string>{"after End"});  // no Resize, Activate or Unload
    EXPECT_FALSE(f.Loaded());
    EXPECT_TRUE(app.Ended());
    EXPECT_EQ(app.Run(), 3);
    Make("frmOther").Show();  // nothing loads after End
    EXPECT_EQ(app.FindForm("frmOther"), nullptr);
}

TEST_F(FormTest, UnloadingTheLastFormEndsTheApp) {
    Form& main = Make("frmMain");
    Form& dialog = Make("frmDialog");
    main.Show();
    dialog.Show();
    dialog.OnUnload = [&] {
        events.push_back("dialog unloads");
        dialog.Unload();  // not re-entered
    };
    dialog.Unload();
    EXPECT_FALSE(app.Ended());
    main.Unload();
    EXPECT_TRUE(app.Ended());
    EXPECT_EQ(events.back(), "frmMain.Unload");
    EXPECT_EQ(std::count(events.begin(), events.end(), "dialog unloads"), 1);
    app.DoEvents();
    EXPECT_TRUE(app.Forms().empty());
}

TEST_F(FormTest, HandlerUnloadingItsOwnFormIsSafe) {
    Form& main = Make("frmMain");
    main.Show();
    // A dialog created on demand, as the main window's buttons do.
    Form* dialog = &Make("frmDialog");
    ui::Button& ok = dialog->Add<ui::Button>("cmdOK", 0, 0, 100, 100);
    std::string seen;
    ok.OnClick = [&, form = dialog, big = std::string(64, 'x')] {
        form->Unload();
        app.DoEvents();  // a nested pump must not free the form under this handler
        seen = form->name() + big.substr(0, 1);
        app.SetPointer(Pointer::Default);
    };
    dialog->Show();
    ok.UserClick();
    EXPECT_EQ(seen, "frmDialogx");
    EXPECT_EQ(app.Forms().size(), 2u);
    app.DoEvents();  // outside every handler: now it goes
    ASSERT_EQ(app.Forms().size(), 1u);
    EXPECT_EQ(app.Forms()[0].get(), &main);
}

TEST_F(FormTest, EndSkipsUnloadHandlersAndFreesNothingUnderTheCaller) {
    Form& main = Make("frmMain");
    Form& created = Make("frmNeverLoaded");
    main.Show();
    main.OnActivate = [&] {
        app.End();
        app.DoEvents();
        events.push_back(main.name());
    };
    main.Show();
    EXPECT_EQ(events.back(), "frmMain");
    EXPECT_EQ(std::count(events.begin(), events.end(), "frmMain.Unload"), 0);
    app.Reap();
    ASSERT_EQ(app.Forms().size(), 1u);  // a form never loaded is not reaped
    EXPECT_EQ(app.Forms()[0].get(), &created);
}

TEST_F(FormTest, OuterSizeIncludesTheFrame) {
    Form& f = Make("frmMain");
    EXPECT_EQ(f.Width(), 3000 + 120);
    EXPECT_EQ(f.Height(), 2000 + 420);
    f.SetHeight(f.Height() - 600);
    EXPECT_EQ(f.ScaleHeight(), 1400);
    Form& test = Make("frmTest");
    test.SetBorderless(true);
    test.SetMaximized(true);
    EXPECT_EQ(test.Width(), 3000);
    test.Show();
    EXPECT_EQ(test.ScaleWidth(), 15360);
    EXPECT_EQ(test.ScaleHeight(), 11520);
}

TEST_F(FormTest, KeysHonourPreviewAndTheFocus) {
    Form& f = Make("frmMain");
    ui::Button& ok = f.Add<ui::Button>("cmdOK", 0, 0, 100, 100);
    ui::Button& cancel = f.Add<ui::Button>("cmdCandel", 0, 0, 100, 100);
    ok.SetDefault(true);
    cancel.SetCancel(true);
    ok.OnClick = [&] { events.push_back("OK"); };
    cancel.OnClick = [&] { events.push_back("Cancel"); };
    f.Show();
    events.clear();

    f.UserKeyDown(77, kAltMask);  // a button holds the focus: the form hears nothing
    f.UserKeyDown(13, 0);
    f.SetKeyPreview(true);
    f.UserKeyDown(27, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"OK", "frmMain.Key27", "Cancel"}));

    events.clear();
    f.SetKeyPreview(false);
    ok.SetVisible(false);
    cancel.SetEnabled(false);  // nothing left to take the focus: keys go to the form
    f.UserKeyDown(13, 0);
    f.UserKeyDown(27, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"frmMain.Key13", "frmMain.Key27"}));
}

TEST_F(FormTest, EnterPressesTheFocusedPushButtonElseTheDefault) {
    Form& f = Make("frmMain");
    ui::Button& ok = f.Add<ui::Button>("cmdOK", 0, 0, 100, 100);
    ui::Button& cancel = f.Add<ui::Button>("cmdCandel", 0, 0, 100, 100);
    ui::CheckBox& check = f.Add<ui::CheckBox>("chkBeep", 0, 0, 100, 100);
    ok.SetDefault(true);
    ok.OnClick = [&] { events.push_back("OK"); };
    cancel.OnClick = [&] { events.push_back("Cancel"); };
    f.Show();
    events.clear();

    f.UserKeyDown(13, 0, &cancel);
    f.UserKeyDown(13, 0, &check);
    cancel.SetEnabled(false);  // a focused button that cannot be pressed presses nothing of its own
    f.UserKeyDown(13, 0, &cancel);
    EXPECT_EQ(events, (std::vector<std::string>{"Cancel", "OK", "OK"}));
    EXPECT_EQ(check.Value(), 0);
}

// The focus walks the order the controls were added; a group of options is one stop and
// only the user's arrow (or click, or Space) chooses an option, never a focus move of the program.
TEST_F(FormTest, FocusFollowsTheTabOrderAndOnlyTheUserChoosesAnOption) {
    Form& f = Make("frmMain");
    ui::Frame& frame = f.Add<ui::Frame>("Frame1", 0, 0, 100, 100);
    f.Add<ui::Label>("lblTone", 0, 0, 100, 100);
    std::vector<ui::OptionButton*> opt;
    for (int i = 0; i < 3; ++i) {
        opt.push_back(&f.Add<ui::OptionButton>("optSound", 0, 0, 100, 100, &frame, i));
        opt.back()->OnClick = [this, i] { events.push_back("opt" + std::to_string(i)); };
    }
    ui::Frame& other = f.Add<ui::Frame>("Frame2", 0, 0, 100, 100);
    ui::OptionButton& lone = f.Add<ui::OptionButton>("optOther", 0, 0, 100, 100, &other);
    ui::Button& apply = f.Add<ui::Button>("cmdApply", 0, 0, 100, 100);
    ui::Button& ok = f.Add<ui::Button>("cmdOK", 0, 0, 100, 100);
    lone.SetValue(1);
    f.Show();
    opt[2]->SetValue(1);  // code, before the user moves
    const auto focused = [&] { return backend.FocusedControl(); };
    EXPECT_EQ(focused(), &lone);  // shown: the first tab stop, no unchosen option

    const struct {
        const char* key;
        ui::Control* expected;
    } kSteps[] = {
        {"tab", &apply},      {"tab", &ok},         {"tab", opt[2]},  // wraps to the chosen option
        {"down", opt[0]},     {"down", opt[1]},     {"up", opt[0]},   {"up", opt[2]},  // inside the group
        {"shift+tab", &ok},   {"down", &ok},        {"shift+tab", &apply},
    };
    events.clear();
    for (const auto& step : kSteps) {
        const std::string key = step.key;
        if (key == "tab" || key == "shift+tab") backend.PressTab(key == "shift+tab");
        else backend.PressArrow(key == "up");
        EXPECT_EQ(focused(), step.expected) << key;
    }
    EXPECT_EQ(events, (std::vector<std::string>{"opt0", "opt1", "opt0", "opt2"}));
    EXPECT_EQ(lone.Value(), 1);  // the other group kept its choice

    // Program-made moves: the focused button disabled, the form activated again after
    // its option lost the choice to code: the focus lands on a chosen option, chooses nothing.
    events.clear();
    apply.SetEnabled(false);
    EXPECT_EQ(focused(), &ok);
    backend.PressTab();
    EXPECT_EQ(focused(), opt[2]);
    opt[0]->SetValue(1);
    events.clear();
    f.SetFocus();
    EXPECT_EQ(focused(), opt[0]);
    frame.SetEnabled(false);  // the focused option's container
    EXPECT_EQ(focused(), &lone);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(opt[2]->Value(), 0);
}

TEST_F(FormTest, EndOfSessionUnloadsEveryFormAndLoadsNoMore) {
    Form& main = Make("frmMain");
    Form& dialog = Make("frmDialog");
    main.Show();
    main.Hide();
    dialog.Show();
    dialog.OnUnload = [&] {
        events.push_back("frmDialog.Unload");
        main.Show();  // a dialog's unload brings back the main window
        Make("frmOther").Show();
    };
    // The dialog waits in a loop, as the right-button wait does, when the session ends.
    ui::Button& wait = dialog.Add<ui::Button>("cmdWait", 0, 0, 100, 100);
    int passes = 0;
    wait.OnClick = [&] {
        while (!app.Ended() && ++passes < 100) app.DoEvents(10);
    };
    backend.Post([&] { app.EndSession(); });
    wait.UserClick();

    EXPECT_EQ(passes, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"frmMain.Load", "frmMain.Resize", "frmMain.Activate", "frmDialog.Load",
                                                "frmDialog.Resize", "frmDialog.Activate", "frmDialog.Unload",
                                                "frmMain.Activate", "frmMain.Unload"}));
    EXPECT_EQ(app.FindForm("frmOther"), nullptr);
}

// A form's own hourglass covers that form only, also while a dialog it opened runs its
// whole life in its activation; the program-wide hourglass covers every form.
TEST_F(FormTest, PointerCoversItsOwnFormOrTheWholeProgram) {
    Form& main = Make("frmMain");
    Form& dialog = Make("frmDialog");
    const struct {
        Pointer program, mainOwn;
        Pointer overMain, overDialog;
    } rows[] = {{Pointer::Default, Pointer::Hourglass, Pointer::Hourglass, Pointer::Default},
                {Pointer::Hourglass, Pointer::Default, Pointer::Hourglass, Pointer::Hourglass},
                {Pointer::Default, Pointer::Default, Pointer::Default, Pointer::Default}};
    main.Show();
    for (const auto& row : rows) {
        app.SetPointer(row.program);
        main.SetMousePointer(row.mainOwn);
        dialog.OnActivate = [&] {
            EXPECT_EQ(backend.PointerOver(main), row.overMain);
            EXPECT_EQ(backend.PointerOver(dialog), row.overDialog);
        };
        dialog.Show();
        dialog.Hide();
    }
}

// Tests and automation reach controls by name; a wrong kind or name throws, and names nothing else.
TEST_F(FormTest, LookUpByNameChecksTheKind) {
    Form& f = Make("frmMain");
    Button& apply = f.Add<Button>("cmdApply", 0, 0, 1215, 375);
    OptionButton& option = f.Add<OptionButton>("optMode", 0, 0, 1215, 255, nullptr, 2);
    EXPECT_EQ(&f.Ctl<Button>("cmdApply"), &apply);
    EXPECT_EQ(&f.Ctl<OptionButton>("optMode", 2), &option);
    EXPECT_THROW(f.Ctl<Label>("cmdApply"), std::invalid_argument);
    EXPECT_THROW(f.Ctl<OptionButton>("optMode"), std::out_of_range);
    EXPECT_THROW(f.Ctl<Button>("cmdApplx"), std::out_of_range);
    try {
        f.Ctl<CheckBox>("optMode", 2);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "frmMain.optMode(2) is of kind OptionButton, not CheckBox");
    }
}

TEST_F(FormTest, MessageBoxTakesTheTitleWhenNoCaptionIsGiven) {
    app.MsgBox("Hello");
    app.MsgBox("Again", kMbYesNo, "Own");
    ASSERT_EQ(backend.MsgBoxes().size(), 2u);
    EXPECT_EQ(backend.MsgBoxes()[0].caption, "Title");
    EXPECT_EQ(backend.MsgBoxes()[1].caption, "Own");
}

}  // namespace
}  // namespace ui
