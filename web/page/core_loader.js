"use strict";
// Starts the page's core: the WebAssembly build, or, where the browser has no
// WebAssembly or refuses it (a policy, a CSP it does not read as allowing
// WebAssembly), the same core built as plain JavaScript. That build is kept
// as text in the page and runs only then, so that the usual start pays
// nothing for it.
function startKakemaruCore() {
  return new Promise((resolve, reject) => {
    // Emscripten's factory aborts when WebAssembly cannot start: at once
    // where there is none (it then throws, and its promise never settles),
    // or later, when compiling is refused. onAbort hears both.
    KakemaruCore({ onAbort: reject }).then(resolve, reject);
  }).catch(() => {
    const script = document.createElement("script");
    script.textContent = document.getElementById("core-js").textContent;
    document.head.append(script);
    return KakemaruCoreJs();
  });
}
