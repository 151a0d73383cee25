"use strict";
// The page's script: it builds the window's controls from the core's words,
// hands every action of the user to the core and shows what the core
// answers, and draws what the core's MakePrint recorded: on the canvas for
// the preview, as SVG for the printout. The rules, the words, the numbers
// and the sheet's reading all come from the core.
startKakemaruCore().then(async (core) => {
  const fn = (name, returns, args = []) => core.cwrap(name, returns, args);
  const kk = {
    start: fn("kk_start", null, ["number"]),
    word: fn("kk_word", "string", ["number"]),
    tableLabel: fn("kk_table_label", "string", ["number"]),
    groupCount: fn("kk_group_count", "number"),
    groupName: fn("kk_group_name", "string", ["number"]),
    groupCaption: fn("kk_group_caption", "string", ["number"]),
    groupDescription: fn("kk_group_description", "string", ["number"]),
    groupColumns: fn("kk_group_columns", "number", ["number"]),
    itemCount: fn("kk_group_item_count", "number", ["number"]),
    item: fn("kk_group_item", "string", ["number", "number"]),
    itemDescription: fn("kk_group_item_description", "string", ["number", "number"]),
    value: fn("kk_value", "number", ["number"]),
    tables: fn("kk_tables", "number"),
    enabled: fn("kk_enabled", "number", ["number"]),
    tick: fn("kk_tick", "number", ["number", "number"]),
    choose: fn("kk_choose", "number", ["number", "number"]),
    enter: fn("kk_enter", "number", ["number"]),
    news: fn("kk_news", "string"),
    preview: fn("kk_preview", "number", ["string"]),
    readNumber: fn("kk_read_number", "number", ["string"]),
    message: fn("kk_message", "string"),
    countPrinted: fn("kk_count_printed", "string", ["number"]),
    sheetExists: fn("kk_sheet_exists", "number"),
    previewDrawMode: fn("kk_preview_draw_mode", "number"),
    draw: fn("kk_draw", "number", ["number", "number", "number"]),
    words: fn("kk_words", "number"),
    texts: fn("kk_texts", "number"),
    readingPageStep: fn("kk_reading_page_step", "number"),
    readingCount: fn("kk_reading_count", "number"),
    readingLine: fn("kk_reading_line", "string", ["number"]),
    readingBox: fn("kk_reading_box", "number", ["number", "number"]),
    paperCount: fn("kk_paper_count", "number"),
    defaultPaper: fn("kk_default_paper", "number", ["number"]),
    paperName: fn("kk_paper_name", "string", ["number"]),
    paperLabel: fn("kk_paper_label", "string", ["number"]),
    paperWidth: fn("kk_paper_width", "number", ["number"]),
    paperHeight: fn("kk_paper_height", "number", ["number"]),
  };
  // The core's word numbers (web::Word), its option groups (form::GroupIndex),
  // its answers (form::CommandAnswer::Kind) and its operations (web::Operation).
  const W = {
    programName: 0, heading: 1, tablesCaption: 2, tablesDescription: 3, numberLabel: 4,
    numberDescription: 5, previewButton: 6, previewDescription: 7, printButton: 8,
    printDescription: 9, printAnswersButton: 10, printAnswersDescription: 11,
    previewAreaName: 12, previewAreaDescription: 13, noSheet: 14, firstLine: 15, lastLine: 16,
    warningTitle: 17, ok: 18, tableDescriptionEnd: 19, errorTitle: 20, paperLabel: 21,
    paperDescription: 22,
  };
  const Q_NUM_CHECK = 1, JOUSUU_CHECK = 3, RG_SQUARE = 4, RG_MULTI = 5;
  const DONE = 0, NOT_A_NUMBER = 1;
  const RECTANGLE = 1, TEXT = 2;
  const QUESTION_SHEET = 0, ANSWER_SHEET = 1;
  const PAGE_WIDTH = 320, PAGE_HEIGHT = 441;  // the preview, as the window's

  // The seed: milliseconds since midnight UTC, as the window takes it.
  kk.start(Date.now() % 86400000);

  const $ = (id) => document.getElementById(id);
  const make = (tag, attributes = {}, ...children) => {
    const element = document.createElement(tag);
    for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
    element.append(...children);
    return element;
  };
  // Descriptions for assistive tools, kept in one hidden list.
  const descriptions = make("div", { hidden: "" });
  document.body.append(descriptions);
  const describe = (element, text) => {
    if (!text) return;
    const id = `${element.id}-description`;
    descriptions.append(make("span", { id }, text));
    element.setAttribute("aria-describedby", id);
  };

  // --- The controls ---
  document.title = kk.word(W.programName);
  $("Label2").textContent = kk.word(W.heading);
  const options = $("options");

  const tables = make("fieldset", { id: "GroupBox1", style: "--rows: 5" },
    make("legend", {}, kk.word(W.tablesCaption)));
  describe(tables, kk.word(W.tablesDescription));
  const tableBoxes = [];
  for (let table = 0; table < 10; table++) {
    const box = make("input", { type: "checkbox", id: `D${table}` });
    const label = kk.tableLabel(table);
    tables.append(make("label", {}, box, label));
    describe(box, label + kk.word(W.tableDescriptionEnd));
    box.addEventListener("change", () => act(() => { kk.tick(table, box.checked ? 1 : 0); }));
    tableBoxes.push(box);
  }
  options.append(tables);

  // The number box follows the question counts, as in the window.
  const Edit1 = make("input", { type: "text", id: "Edit1", value: "1", autocomplete: "off",
    spellcheck: "false", inputmode: "numeric" });
  const numberBox = make("div", { id: "number" },
    make("label", { id: "Label3", for: "Edit1" }, kk.word(W.numberLabel)), Edit1);

  const groups = [];
  for (let group = 0; group < kk.groupCount(); group++) {
    const name = kk.groupName(group);
    const count = kk.itemCount(group);
    const rows = Math.ceil(count / kk.groupColumns(group));
    const fieldset = make("fieldset", { id: name, style: `--rows: ${rows}` },
      make("legend", {}, kk.groupCaption(group)));
    describe(fieldset, kk.groupDescription(group));
    const radios = [];
    for (let item = 0; item < count; item++) {
      const radio = make("input", { type: "radio", name, id: `${name}-${item}`, value: item });
      fieldset.append(make("label", {}, radio, kk.item(group, item)));
      describe(radio, kk.itemDescription(group, item));
      // A click or an arrow key that chooses an item enters the group;
      // Tab passing through does not. Either event may come first.
      const chosen = () => act(() => {
        let news = "";
        if (group === RG_SQUARE || group === RG_MULTI) {
          kk.enter(group);
          news = kk.news();
        }
        kk.choose(group, item);
        return news;
      });
      radio.addEventListener("click", chosen);
      radio.addEventListener("change", chosen);
      radios.push(radio);
    }
    groups.push({ fieldset, radios });
    options.append(fieldset);
    if (group === Q_NUM_CHECK) options.append(numberBox);
  }
  describe(Edit1, kk.word(W.numberDescription));


  // A key held down presses a button once, as in the window: the browser
  // clicks a button again at every repeat of Enter, which would make a new
  // sheet or open the print dialog again each time.
  document.addEventListener("keydown", (event) => {
    if (event.repeat && event.target instanceof HTMLButtonElement) event.preventDefault();
  }, true);

  const button = (id, word, description, handler) => {
    const element = make("button", { type: "button", id }, kk.word(word));
    describe(element, kk.word(description));
    element.addEventListener("click", handler);
    return element;
  };
  const PreviewBtn = button("PreviewBtn", W.previewButton, W.previewDescription, PreviewBtnClick);
  const PrintBtn = button("PrintBtn", W.printButton, W.printDescription, () => PrintSheets(false));
  const PrintAnsBtn = button("PrintAnsBtn", W.printAnswersButton, W.printAnswersDescription,
    () => PrintSheets(true));
  // The paper the sheets print on: the page cannot learn it from every
  // browser's print dialog (Safari's tells nothing), so the user says it.
  // Sizes in hundredths of a millimetre.
  const papers = Array.from({ length: kk.paperCount() }, (_, paper) => ({
    name: kk.paperName(paper), label: kk.paperLabel(paper),
    width: kk.paperWidth(paper), height: kk.paperHeight(paper) }));
  const paperChoice = make("select", { id: "paper" });
  for (const { name, label } of papers) paperChoice.append(make("option", { value: name }, label));
  paperChoice.selectedIndex = kk.defaultPaper(/-US$/i.test(navigator.language) ? 1 : 0);
  describe(paperChoice, kk.word(W.paperDescription));
  options.append(make("div", { id: "paper-choice" },
    make("label", { for: "paper" }, kk.word(W.paperLabel)), paperChoice));
  options.append(make("div", { id: "commands" }, PreviewBtn, PrintBtn, PrintAnsBtn));

  // Shows the options as the core holds them.
  function showOptions() {
    const ticked = kk.tables();
    tableBoxes.forEach((box, table) => { box.checked = (ticked & (1 << table)) !== 0; });
    groups.forEach(({ radios }, group) => {
      const value = kk.value(group);
      radios.forEach((radio, item) => { radio.checked = item === value; });
    });
    groups[Q_NUM_CHECK].fieldset.disabled = !kk.enabled(0);
    groups[JOUSUU_CHECK].fieldset.disabled = !kk.enabled(1);
    PreviewBtn.disabled = !kk.enabled(2);
    PrintBtn.disabled = PrintAnsBtn.disabled = !kk.enabled(3);
  }

  // Runs one action of the user; a set-back it answers is its news.
  function act(action) {
    const setBack = action();
    showOptions();
    showReading();
    tell(setBack || kk.news());
  }

  // --- News, and the two boxes ---
  const news = $("news");
  // A new node each time, so that the same news twice is told twice.
  function tell(text) {
    if (text) news.replaceChildren(make("span", {}, text));
  }

  const box = $("box");
  let focusBeforeBox = null;
  $("box-ok").textContent = kk.word(W.ok);
  box.addEventListener("close", () => focusBeforeBox?.focus());
  function showBox(title, message, role) {
    focusBeforeBox = document.activeElement;
    box.setAttribute("role", role);
    $("box-title").textContent = title;
    $("box-message").textContent = message;
    box.showModal();
    $("box-ok").focus();
  }
  const showError = () => showBox(kk.word(W.errorTitle), kk.message(), "alertdialog");
  const showRefusal = () => showBox(kk.word(W.warningTitle), kk.message(), "alertdialog");

  // --- The sheet as MakePrint draws it ---
  const faces = ["kk-gothic", "kk-mincho"];
  const families = ['"kk-gothic", "IPAGothic", monospace', '"kk-mincho", "IPAMincho", serif'];
  await Promise.all(faces.map((face) => document.fonts.load(`16px "${face}"`).catch(() => [])));
  const canvas = $("sheet");
  const context = canvas.getContext("2d");
  const decoder = new TextDecoder("shift_jis");
  const colour = (rgb) => `#${rgb.toString(16).padStart(6, "0")}`;

  // MakePrint's drawing as the core recorded it (web/src/recorded_page.h).
  // A text comes with its font's size, its baseline and where each of its
  // characters starts, from the fonts' own metrics: no browser measures it.
  function recorded(width, height, drawMode) {
    const count = kk.draw(width, height, drawMode);
    const start = kk.words() >> 2;
    const words = core.HEAP32.subarray(start, start + count);
    const texts = kk.texts();
    const operations = [];
    for (let at = 0; at < count;) {
      if (words[at] === RECTANGLE) {
        const [x1, y1, x2, y2, fill, pen] = words.subarray(at + 1, at + 7);
        operations.push({ kind: RECTANGLE, x1, y1, x2, y2, fill, pen });
        at += 7;
      } else if (words[at] === TEXT) {
        const [x, y, face, size, baseline, background, offset, length, characters] =
          words.subarray(at + 1, at + 10);
        const text = decoder.decode(core.HEAPU8.subarray(texts + offset, texts + offset + length));
        const halfEms = words.subarray(at + 10, at + 11 + characters);
        const places = Array.from(halfEms, (halfEm) => x + (halfEm * size) / 2);
        operations.push({ kind: TEXT, x, y, face, size, baseline, background,
          characters: Array.from(text), places, width: places[characters] - x, height: size });
        at += 11 + characters;
      } else {
        break;
      }
    }
    return operations;
  }

  // The preview is laid out at 320 × 441 as in the window and drawn at the
  // screen's density, so that it is sharp and its texts sit where the
  // window's do.
  function PaintBox1Paint(drawMode) {
    const density = window.devicePixelRatio || 1;
    canvas.width = Math.round(PAGE_WIDTH * density);
    canvas.height = Math.round(PAGE_HEIGHT * density);
    context.setTransform(canvas.width / PAGE_WIDTH, 0, 0, canvas.height / PAGE_HEIGHT, 0, 0);
    context.clearRect(0, 0, PAGE_WIDTH, PAGE_HEIGHT);
    if (!kk.sheetExists()) return;
    for (const op of recorded(PAGE_WIDTH, PAGE_HEIGHT, drawMode)) {
      if (op.kind === RECTANGLE) {
        const width = op.x2 - op.x1, height = op.y2 - op.y1;
        if (width <= 0 || height <= 0) continue;
        if (op.fill >= 0) {
          context.fillStyle = colour(op.fill);
          context.fillRect(op.x1, op.y1, width, height);
        }
        context.strokeStyle = colour(op.pen);
        context.lineWidth = 1;
        context.strokeRect(op.x1 + 0.5, op.y1 + 0.5, width - 1, height - 1);
      } else {
        context.font = `${op.size}px ${families[op.face]}`;
        if (op.background >= 0) {
          context.fillStyle = colour(op.background);
          context.fillRect(op.x, op.y, op.width, op.height);
        }
        context.fillStyle = "#000";
        context.textBaseline = "alphabetic";
        op.characters.forEach((character, index) =>
          context.fillText(character, op.places[index], op.baseline));
      }
    }
  }
  const repaint = () => PaintBox1Paint(QUESTION_SHEET);

  // Every later drawing shows the question sheet. A canvas keeps its picture
  // when the window is resized, covered or shown again, so only a change of
  // the screen's density, which needs a new backing store, draws it again: a
  // phone's address bar, sliding away as the page scrolls to the preview,
  // resizes the window and must not swap the answers for the questions.
  let repaintAsked = false;
  const askRepaint = () => {
    if (repaintAsked) return;
    repaintAsked = true;
    requestAnimationFrame(() => { repaintAsked = false; repaint(); });
  };
  const watchDensity = () => {
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener("change", () => {
      askRepaint();
      watchDensity();
    }, { once: true });
  };
  watchDensity();
  // A canvas whose picture the browser dropped (a tab long in the background)
  // is drawn again.
  canvas.addEventListener("contextrestored", askRepaint);

  // --- The sheet read line by line ---
  // A listbox whose active option follows Up and Down: screen readers enter
  // their focus mode in it, say each line as it becomes active, and also
  // read the options in their browse mode; a live region alone may drop lines.
  const PaintBox1 = $("PaintBox1");
  const currentLine = $("current-line");
  PaintBox1.setAttribute("aria-label", kk.word(W.previewAreaName));
  describe(PaintBox1, kk.word(W.previewAreaDescription));
  const pageStep = kk.readingPageStep();
  let lines = [];
  let caret = 0;

  function showReading() {
    const count = kk.readingCount();
    const next = [];
    if (count === 0) next.push({ text: kk.word(W.noSheet), box: null });
    for (let index = 0; index < count; index++) {
      const box = index === 0 ? null : [0, 1, 2, 3].map((which) => kk.readingBox(index, which));
      next.push({ text: kk.readingLine(index), box });
    }
    if (JSON.stringify(next) === JSON.stringify(lines)) return;
    lines = next;
    PaintBox1.replaceChildren(...lines.map(({ text }, index) =>
      make("div", { role: "option", id: `line-${index}`, "aria-selected": "false" }, text)));
    moveCaret(0, true);
  }

  function moveCaret(line, anew = false) {
    const to = Math.min(Math.max(line, 0), lines.length - 1);
    if (to === caret && !anew) {
      if (line !== to) tell(kk.word(to === 0 ? W.firstLine : W.lastLine));
      return;
    }
    PaintBox1.querySelector(`#line-${caret}`)?.setAttribute("aria-selected", "false");
    caret = to;
    const option = PaintBox1.querySelector(`#line-${caret}`);
    option.setAttribute("aria-selected", "true");
    PaintBox1.setAttribute("aria-activedescendant", option.id);
    frameLine();
  }

  function frameLine() {
    const box = lines[caret]?.box;
    currentLine.hidden = !box || document.activeElement !== PaintBox1;
    if (currentLine.hidden) return;
    Object.assign(currentLine.style, { left: `${6 + box[0]}px`, top: `${6 + box[1]}px`,
      width: `${box[2]}px`, height: `${box[3]}px` });
  }
  PaintBox1.addEventListener("focus", frameLine);
  PaintBox1.addEventListener("blur", frameLine);
  PaintBox1.addEventListener("keydown", (event) => {
    const steps = { ArrowUp: -1, ArrowDown: 1, PageUp: -pageStep, PageDown: pageStep };
    if (event.key in steps) {
      moveCaret(caret + steps[event.key]);
    } else if (event.ctrlKey && event.key === "Home") {
      moveCaret(0);
    } else if (event.ctrlKey && event.key === "End") {
      moveCaret(lines.length - 1);
    } else {
      return;
    }
    event.preventDefault();
  });

  // --- The commands ---
  function PreviewBtnClick() {
    const answer = kk.preview(Edit1.value);
    if (answer !== DONE) {
      if (answer === NOT_A_NUMBER) showError(); else showRefusal();
      return;
    }
    const madeNews = kk.news();
    if (job) job.over = true;
    PaintBox1Paint(kk.previewDrawMode());
    showOptions();
    showReading();
    tell(madeNews);
  }

  // The sheets print at the chosen paper's size in millimetres, whatever
  // the window's size: WebKit's print layout takes its viewport units and
  // print media queries from the window, and Firefox's media queries see the
  // paper less its dialog's margins, so neither can find the paper.
  // Chromium and Firefox print to the paper's edge.
  const mm = (hundredths) => `${hundredths / 100}mm`;
  // WebKit keeps margins of its own whatever @page says (GTK's quarter inch,
  // as most printers'), and there the sheet is drawn for what is left, as
  // the desktop draws on a printer's printable area: the paper's width less
  // the margins, and a page as tall as that width in the paper's
  // proportions, which is where WebKit breaks pages. WebKit lays a page out
  // at least 15/16 of the paper's width wide (1.25 CSS pixels a point) and
  // shrinks that into the printable width: on a narrower paper (B5, A5) the
  // sheet is shown as much larger, so that it prints at its size.
  const keepsMargins = /Apple/.test(navigator.vendor);
  function sheetArea({ width: paperWidth, height: paperHeight }) {
    if (!keepsMargins) return { width: paperWidth, height: paperHeight, shown: 1 };
    const width = paperWidth - 2 * 635;
    return { width, height: Math.round((width * paperHeight) / paperWidth),
      shown: Math.max(1, Math.ceil((paperWidth * 15) / 16) / width) };
  }
  const pageRule = make("style");
  document.head.append(pageRule);
  // The paper goes to @page too, so that the engines that follow it
  // (Chromium, Firefox) offer it in their print dialogs.
  function usePaper() {
    const { width, height } = papers[paperChoice.selectedIndex];
    pageRule.textContent = `@page { size: ${mm(width)} ${mm(height)}; margin: 0; }`;
  }
  paperChoice.addEventListener("change", usePaper);
  usePaper();

  const SVG = "http://www.w3.org/2000/svg";
  function svgSheet(width, height, drawMode) {
    const svg = document.createElementNS(SVG, "svg");
    svg.setAttribute("viewBox", `0 0 ${width} ${height}`);
    for (const op of recorded(width, height, drawMode)) {
      let element;
      if (op.kind === RECTANGLE) {
        element = document.createElementNS(SVG, "rect");
        const attributes = { x: op.x1, y: op.y1, width: Math.max(0, op.x2 - op.x1),
          height: Math.max(0, op.y2 - op.y1), fill: op.fill >= 0 ? colour(op.fill) : "none",
          stroke: colour(op.pen), "stroke-width": 1 };
        for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
      } else {
        // Each character at its own place: engines space a text's characters
        // differently (WebKit put a "）" after eleven ideographic spaces
        // 2 to 4 points to the right of Chromium's).
        element = document.createElementNS(SVG, "text");
        const attributes = { x: op.places.slice(0, -1).join(" "), y: op.baseline,
          "font-size": op.size, "font-family": families[op.face], fill: "#000",
          "xml:space": "preserve" };
        for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
        element.style.whiteSpace = "pre";
        element.textContent = op.characters.join("");
      }
      svg.append(element);
    }
    return svg;
  }

  // One page a sheet: the sheet's box is a little shorter than the drawing,
  // so that rounding never pushes it onto a page of its own.
  function fillPrintout(drawModes) {
    const { width, height, shown } = sheetArea(papers[paperChoice.selectedIndex]);
    const size = (w, h) => `width: ${mm(w * shown)}; height: ${mm(h * shown)}`;
    $("printout").replaceChildren(...drawModes.map((drawMode) => {
      const svg = svgSheet(width, height, drawMode);
      svg.setAttribute("style", size(width, height));
      return make("div", { class: "sheet", style: size(width, height - 50) }, svg);
    }));
  }

  // One print, from its command to the end of its print dialog. Its sheets
  // stay in the print layout until the next command: a phone may lay them
  // out for print after window.print() has returned.
  let job = null;  // { withAnswers, counted, over }
  function startJob(withAnswers) {
    job = { withAnswers, counted: false, over: false };
    fillPrintout(withAnswers ? [QUESTION_SHEET, ANSWER_SHEET] : [QUESTION_SHEET]);
    document.body.classList.add("printing");
  }

  // The number counts up once for each print that opened a print dialog,
  // printed or cancelled, since a page cannot tell them apart and no two
  // sheets may carry one number: when window.print() returns or at
  // afterprint, whichever comes first. Chromium returns after its dialog
  // closed, WebKit too but fires no event on Cancel, Firefox fires afterprint
  // as its dialog opens, and a phone may return before its dialog opens.
  function countJob() {
    if (!job || job.counted) return;
    job.counted = true;
    Edit1.value = kk.countPrinted(job.withAnswers ? 1 : 0);
    const printedNews = kk.news();
    repaint();
    showReading();
    tell(printedNews);
  }

  function PrintSheets(withAnswers) {
    if (kk.readNumber(Edit1.value) !== DONE) {
      showError();
      return;
    }
    showReading();
    startJob(withAnswers);
    window.print();
    countJob();
  }

  // A print the browser started itself (its menu, Ctrl+P) prints the
  // question sheet with the number in the box, and counts as 印刷 does.
  window.addEventListener("beforeprint", () => {
    if (job && !job.over) return;
    if (!kk.sheetExists() || kk.readNumber(Edit1.value) !== DONE) {
      job = null;
      document.body.classList.remove("printing");
      return;
    }
    startJob(false);
  });
  window.addEventListener("afterprint", () => {
    countJob();
    if (job) job.over = true;
  });

  showOptions();
  showReading();
  document.documentElement.dataset.ready = "true";
  performance.mark("kakemaru-ready");

  // Served from a web server, the page keeps itself for use offline.
  if ("serviceWorker" in navigator && /^https?:$/.test(location.protocol) &&
      document.querySelector('link[rel="manifest"]')) {
    navigator.serviceWorker.register("sw.js").catch(() => {});
  }
});
