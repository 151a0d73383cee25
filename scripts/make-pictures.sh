#!/usr/bin/env bash
# Makes the README's pictures from the real program: the window with a
# previewed sheet on Xvfb, and that sheet printed with its answers to PDF,
# turned into PNG pages. Writes them into docs/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target tst_windowshot
ctest --preset default -R '^tst_windowshot$'

shots=build/default/artifacts/tst_windowshot
cp "$shots/window-questions.png" docs/window.png
pdftoppm -r 50 -png -singlefile "$shots/sheet.pdf" docs/sheet-questions
pdftoppm -r 50 -png -singlefile "$shots/sheet-答え.pdf" docs/sheet-answers
echo "docs/window.png docs/sheet-questions.png docs/sheet-answers.png made"
