"""The Russian demo: a pack in UTF-8 captions the window, a word typed in lower case finds pages written in
windows-1251, UTF-8 and UTF-16, and a question that cannot be sent says so in the pack's words."""

import os
import socket

from harness import BUILD_DIR, QUESTION, SEARCH, ProgramTest


class RussianWindow(ProgramTest):
    window_manager = False
    pack = os.path.join(BUILD_DIR, "share", "lumora", "help-ru", "russian.qlp")

    def test_captions_search_first_result_and_a_failed_send(self):
        with socket.socket() as probe:  # a port nobody listens on
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        report = self.start("-search", page=SEARCH, registry_text=(
            "[SOFTWARE\\Quillmark%20Software]\nCurrentTheme=classic\nExpertIndex=2\n"
            f"MailServer=smtp://127.0.0.1:{port}\nSupportDomain=support.example\n"))
        captions = {"CommandButton(0)": "&Найти", "CommandButton(1)": "&Показать", "FrameLabel(2)": "Найдено: 0",
                    "ToolButton(2)": "Содержание", "ToolButton(4)": "Поиск"}
        self.assertEqual({name: report.control(name).get("caption") for name in captions}, captions)

        self.click(report, "WriteBox(0)")
        # Letters beyond the keyboard map are typed through a remapped key;
        # slowly, so the program has the new map before each letter.
        self.type("печать", delay=150)
        self.wait(lambda r: r.control("WriteBox(0)").get("text") == "печать", "the word typed whole")
        self.key("Return")
        report = self.wait(lambda r: r.control("FrameLabel(2)")["caption"] not in ("Найдено: 0", "Найдено:"),
                           "search results")
        self.assertRegex(report.control("FrameLabel(2)")["caption"], r"^Найдено: [1-9]\d*$")
        self.shoot("russian-search.png")

        self.click(report, "CommandButton(1)")  # Display: the best match
        self.wait(lambda r: r["url"].endswith("/spravka/pechat.html"), "the printing page")
        report = self.open_page(self.settled("russian-page.png")[0], QUESTION)
        for box, text in (("TextBox(1)", "ann@example.com"), ("TextBox(3)", "How do I print?")):
            self.click(report, box)
            self.type(text)
        self.click(report, "Commander(0)")
        shown = self.wait(lambda r: "dialog" in r, "the failure message")["dialog"]["text"]
        self.assertTrue(shown.startswith("Ваш вопрос не отправлен.") and "Подробности:" in shown, shown)
