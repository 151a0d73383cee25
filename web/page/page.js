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
  };
  // The core's word numbers (web::Word), its option groups (form::GroupIndex),
  // its answers (form::CommandAnswer::Kind) and its operations (web::Operation).
  const W = {
    programName: 0, heading: 1, tablesCaption: 2, tablesDescription: 3, numberLabel: 4,
    numberDescription: 5, previewButton: 6, previewDescription: 7, printButton: 8,
    printDescription: 9, printAnswersButton: 10, printAnswersDescription: 11,
    previewAreaName: 12, previewAreaDescription: 13, noSheet: 14, firstLine: 15, lastLine: 16,
    warningTitle: 17, ok: 18, tableDescriptionEnd: 19, errorTitle: 20,
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
  // A face's cell (ascent plus descent) and ascent per pixel of its size:
  // the font's size is the cell height the core gives over the first.
  const metrics = families.map((family) => {
    context.font = `100px ${family}`;
    const measured = context.measureText("九");
    const ascent = measured.fontBoundingBoxAscent, descent = measured.fontBoundingBoxDescent;
    if (!(ascent > 0)) return { cell: 1, ascent: 0.88 };
    return { cell: (ascent + descent) / 100, ascent: ascent / 100 };
  });
  const decoder = new TextDecoder("shift_jis");
  const colour = (rgb) => `#${rgb.toString(16).padStart(6, "0")}`;

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
        const [x, y, face, height, background, offset, length] = words.subarray(at + 1, at + 8);
        const text = decoder.decode(core.HEAPU8.subarray(texts + offset, texts + offset + length));
        const size = Math.max(1, Math.round(height / metrics[face].cell));
        operations.push({ kind: TEXT, x, y, face, height, background, text, size,
          baseline: y + size * metrics[face].ascent });
        at += 8;
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
          context.fillRect(op.x, op.y, context.measureText(op.text).width, op.height);
        }
        context.fillStyle = "#000";
        context.textBaseline = "alphabetic";
        context.fillText(op.text, op.x, op.baseline);
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
    PaintBox1Paint(kk.previewDrawMode());
    showOptions();
    showReading();
    tell(madeNews);
  }

  // Each paper the browser may print on gets its own drawing, laid out by
  // MakePrint at its size in hundredths of a millimetre; the page box's size
  // chooses which one prints. Another paper gets the A4 drawing, scaled.
  const papers = [
    ["A4", 210, 297], ["Letter", 215.9, 279.4], ["B5", 182, 257], ["B5-ISO", 176, 250],
    ["A5", 148, 210], ["A3", 297, 420], ["B4", 257, 364], ["Legal", 215.9, 355.6],
  ];
  const printStyle = make("style", {}, "@media print { body.printing .paper-other { display: block; } }\n" +
    papers.map(([name, width, height]) =>
      `@media print and (min-width: ${width - 1}mm) and (max-width: ${width + 1}mm) and ` +
      `(min-height: ${height - 1}mm) and (max-height: ${height + 1}mm) { ` +
      `body.printing .paper-${name} { display: block; } body.printing .paper-other { display: none; } }`,
    ).join("\n"));
  document.head.append(printStyle);

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
        element = document.createElementNS(SVG, "text");
        const attributes = { x: op.x, y: op.baseline, "font-size": op.size,
          "font-family": families[op.face], fill: "#000", "xml:space": "preserve" };
        for (const [name, value] of Object.entries(attributes)) element.setAttribute(name, value);
        element.style.whiteSpace = "pre";
        element.textContent = op.text;
      }
      svg.append(element);
    }
    return svg;
  }

  function fillPrintout(drawModes) {
    const printout = $("printout");
    // The drawing fills the page box (the paper: no margins); its box is a
    // little shorter, so that rounding never pushes it onto a page of its own.
    // The paper's own drawing follows the page box exactly, however the
    // browser rounds the paper; another paper's keeps its proportions.
    const paperSheets = (name, width, height, drawingSize, boxSize, fit) => {
      const paper = make("div", { class: `paper paper-${name}` });
      for (const drawMode of drawModes) {
        const svg = svgSheet(Math.round(width * 100), Math.round(height * 100), drawMode);
        svg.setAttribute("style", drawingSize);
        svg.setAttribute("preserveAspectRatio", fit);
        paper.append(make("div", { class: "sheet", style: boxSize }, svg));
      }
      return paper;
    };
    printout.replaceChildren(
      ...papers.map(([name, width, height]) => paperSheets(name, width, height,
        "width: 100vw; height: 100vh", "width: 100vw; height: calc(100vh - 0.5mm)", "none")),
      paperSheets("other", 210, 297, "width: 100vw; height: 100vh",
        "width: 100vw; height: calc(100vh - 0.5mm)", "xMidYMin meet"));
  }

  let printing = null;  // with answers or not, until the print dialog closes
  function PrintSheets(withAnswers) {
    if (kk.readNumber(Edit1.value) !== DONE) {
      showError();
      return;
    }
    showReading();
    fillPrintout(withAnswers ? [QUESTION_SHEET, ANSWER_SHEET] : [QUESTION_SHEET]);
    printing = withAnswers;
    document.body.classList.add("printing");
    window.print();
  }
  // A page cannot tell a printed sheet from a cancelled one: the number
  // counts up either way, so that no two sheets carry one number.
  window.addEventListener("afterprint", () => {
    document.body.classList.remove("printing");
    if (printing === null) return;
    const withAnswers = printing;
    printing = null;
    Edit1.value = kk.countPrinted(withAnswers ? 1 : 0);
    const printedNews = kk.news();
    repaint();
    showReading();
    tell(printedNews);
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
