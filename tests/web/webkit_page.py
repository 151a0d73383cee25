#!/usr/bin/python3
# The web page in WebKitGTK, Safari's engine, for the print tests: a window
# of a given size holding a WebKit view, driven by the node test over stdin
# and stdout, one JSON object a line. Requests carry an "id"; each gets one
# reply {"id", "value"} or {"id", "error"}.
#   open    {url, width, height, script}  the window at that size, `script`
#                                      run before the page's scripts
#   eval    {js}                       an async function body; its result
#   answer  {paper, action, pdf}       how to answer the next print dialog:
#                                      "print" to `pdf` on that paper, or
#                                      "cancel"
#   prints  {}                         every print dialog so far, once none
#                                      is still running
# The page prints as a user's print goes: its window.print() makes WebKit
# open GTK's print dialog, preset to GTK's "Print to File" printer with
# GTK's default margins, and the dialog is answered as a user would.
# Automation (WebKitWebDriver) is not used: WebKit ignores window.print()
# in a view controlled by automation.
import json
import os
import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("WebKit2", "4.1")
from gi.repository import GLib, Gtk, WebKit2  # noqa: E402

PAPERS = {"A4": "iso_a4", "B5": "jis_b5", "Letter": "na_letter"}
FILE_PRINTER = "Print to File"
DIALOG_WAIT_MS = 15000  # for the dialog to open and find its printer
PRINT_WAIT_MS = 30000  # for a print to be written
STEP_MS = 50


def say(message):
    sys.stdout.write(json.dumps(message, ensure_ascii=False) + "\n")
    sys.stdout.flush()


class Page:
    def __init__(self):
        manager = WebKit2.WebsiteDataManager.new_ephemeral()
        self.context = WebKit2.WebContext.new_with_website_data_manager(manager)
        self.content = WebKit2.UserContentManager()
        self.view = WebKit2.WebView(web_context=self.context, user_content_manager=self.content)
        self.view.connect("print", self.on_print)
        self.view.connect("load-changed", self.on_load)
        self.view.connect("load-failed", self.on_load_failed)
        self.window = Gtk.Window(title="kakemaru")
        self.window.add(self.view)
        self.loading = None
        self.answers = []  # for the coming print dialogs
        self.prints = []  # every print dialog: how it was answered and how it ended
        self.waiting = []  # prints requests waiting for running prints

    # --- Loading ---
    def open(self, request, reply):
        self.content.remove_all_scripts()
        self.content.add_script(WebKit2.UserScript(
            request["script"], WebKit2.UserContentInjectedFrames.ALL_FRAMES,
            WebKit2.UserScriptInjectionTime.START, None, None))
        self.window.resize(request["width"], request["height"])
        self.window.show_all()
        self.loading = reply
        self.view.load_uri(request["url"])

    def on_load(self, view, event):
        if event == WebKit2.LoadEvent.FINISHED and self.loading:
            reply, self.loading = self.loading, None
            reply(value=None)

    def on_load_failed(self, view, event, uri, error):
        if self.loading:
            reply, self.loading = self.loading, None
            reply(error=f"{uri} did not load: {error.message}")
        return True

    # --- Scripts ---
    def eval(self, request, reply):
        def done(view, result):
            try:
                value = view.call_async_javascript_function_finish(result)
            except GLib.Error as error:
                reply(error=error.message)
                return
            text = value.to_json(0) if value and not value.is_undefined() else None
            reply(value=json.loads(text) if text else None)
        self.view.call_async_javascript_function(request["js"], -1, None, None, None, None, done)

    # --- Printing ---
    def answer(self, request, reply):
        if request["action"] == "print" and request.get("paper") not in PAPERS:
            reply(error=f"no such paper: {request.get('paper')}")
            return
        self.answers.append(request)
        reply(value=len(self.answers))

    def on_print(self, view, operation):
        # WebKit's print dialog opens with these settings once this returns False.
        answer = self.answers.pop(0) if self.answers else {"action": "cancel", "unasked": True}
        record = {"action": answer["action"], "state": "dialog"}
        if answer.get("unasked"):
            record["unasked"] = True
        self.prints.append(record)
        settings = Gtk.PrintSettings()
        settings.set_printer(FILE_PRINTER)
        setup = Gtk.PageSetup()
        if answer["action"] == "print":
            record.update(paper=answer["paper"], pdf=answer["pdf"])
            paper = Gtk.PaperSize.new(PAPERS[answer["paper"]])
            settings.set_paper_size(paper)
            settings.set(Gtk.PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf")
            settings.set(Gtk.PRINT_SETTINGS_OUTPUT_URI, GLib.filename_to_uri(answer["pdf"]))
            setup.set_paper_size_and_default_margins(paper)
        operation.set_print_settings(settings)
        operation.set_page_setup(setup)
        operation.connect("finished", lambda op: self.ended(record, "printed"))
        operation.connect("failed", lambda op, error: self.ended(record, "failed", error.message))
        started = GLib.get_monotonic_time()
        GLib.timeout_add(STEP_MS, self.answer_dialog, record, started)
        GLib.timeout_add(PRINT_WAIT_MS, self.ended, record, "failed", "the print did not end")
        return False

    def answer_dialog(self, record, started):
        # The dialog answers once it has found the printer to file.
        for window in Gtk.Window.list_toplevels():
            if window.__gtype__.name != "GtkPrintUnixDialog" or not window.get_visible():
                continue
            printer = window.get_property("selected-printer")
            ok = window.get_widget_for_response(Gtk.ResponseType.OK)
            if record["action"] == "cancel":
                record["state"] = "cancelled"
                window.response(Gtk.ResponseType.CANCEL)
                self.settled()
                return False
            if printer and printer.get_property("name") == FILE_PRINTER and ok.get_sensitive():
                record["state"] = "printing"
                window.response(Gtk.ResponseType.OK)
                return False
        if (GLib.get_monotonic_time() - started) / 1000 > DIALOG_WAIT_MS:
            self.ended(record, "failed", "no print dialog with the printer to file")
            for window in Gtk.Window.list_toplevels():
                if window.__gtype__.name == "GtkPrintUnixDialog":
                    window.response(Gtk.ResponseType.CANCEL)
            return False
        return True

    def ended(self, record, state, error=None):
        if record["state"] in ("dialog", "printing"):
            record["state"] = state
            if error:
                record["error"] = error
            self.settled()
        return False

    def prints_when_settled(self, request, reply):
        self.waiting.append(reply)
        self.settled()

    def settled(self):
        if any(record["state"] in ("dialog", "printing") for record in self.prints):
            return
        waiting, self.waiting = self.waiting, []
        for reply in waiting:
            reply(value=self.prints)


def main():
    page = Page()
    commands = {"open": page.open, "eval": page.eval, "answer": page.answer,
                "prints": page.prints_when_settled}
    pending = b""

    def on_input(fd, condition):
        nonlocal pending
        data = os.read(fd, 1 << 16) if condition & GLib.IOCondition.IN else b""
        if not data:  # the test has gone
            Gtk.main_quit()
            return False
        pending += data
        *lines, pending = pending.split(b"\n")
        for line in lines:
            request = json.loads(line)

            def reply(request=request, **answer):
                say({"id": request["id"], **answer})
            try:
                commands[request["cmd"]](request, reply)
            except Exception as error:  # a wrong request must not end the session
                reply(error=f"{type(error).__name__}: {error}")
        return True

    GLib.unix_fd_add_full(GLib.PRIORITY_DEFAULT, sys.stdin.fileno(),
                          GLib.IOCondition.IN | GLib.IOCondition.HUP | GLib.IOCondition.ERR,
                          on_input)
    say({"ready": True})
    Gtk.main()


if __name__ == "__main__":
    main()
