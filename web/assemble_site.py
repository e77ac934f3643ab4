"""Puts the web page together: the page's files, Alvane's texts and the sample
section as modules, the modules joined into one for the page (page.mjs) and
one for its worker (engine_worker.mjs), and offline.html, the same page in
one file.

A page opened from disk (file://) may load neither module scripts from other
files nor a .wasm file, nor start a worker from a file or a module worker at
all. offline.html therefore carries everything inline: the page's modules
joined into one inline module script, and the worker's source (the engine
with its .wasm inside, tarvex.mjs and worker.mjs) as the text of a classic
script, from which the page starts the worker.

The page's modules import only from each other, one `import { names } from
'./file.mjs';` statement each, and give every top-level name its own spelling
across the modules, so that joining them is dropping those statements.
"""

import argparse
import json
import pathlib
import re
import shutil

EXPORT = re.compile(r"^export\s+(?=(async\s+)?function\b|class\b|const\b|let\b)", re.MULTILINE)
IMPORT = re.compile(r"^import\s*\{[^}]*\}\s*from\s*'\./([^']+)';\n", re.MULTILINE)
IMPORT_DEFAULT = re.compile(r"^import\s+\w+\s+from\s*'\./([^']+)';\n", re.MULTILINE)
PAGE_SCRIPT = re.compile(r"<!-- page script -->.*<!-- end page script -->", re.DOTALL)
STYLESHEET = '<link rel="stylesheet" href="style.css">'


def alvane_texts(path):
    """The two-language table: German entries 100.., English ones 1100..."""
    texts = {"de": {}, "en": {}}
    for line in path.read_text(encoding="utf-8").splitlines():
        if not line or line.startswith("#"):
            continue
        number, _, text = line.partition("\t")
        number = int(number)
        language = "en" if number >= 1000 else "de"
        texts[language][number % 1000] = text
    return texts


def module_text(name, value):
    return (f"// Made from the sources by assemble_site.py.\n"
            f"export const {name} = {json.dumps(value, ensure_ascii=False, indent=1)};\n")


def joined(modules, entry):
    """The modules entry needs, each once, those it imports before it, without
    their import statements."""
    order = []

    def visit(name):
        if name in order:
            return
        source = modules[name]
        for pattern in (IMPORT, IMPORT_DEFAULT):
            for imported in pattern.findall(source):
                visit(imported)
        order.append(name)

    visit(entry)
    parts = []
    for name in order:
        source = IMPORT_DEFAULT.sub("", IMPORT.sub("", modules[name]))
        parts.append(f"// ---- {name}\n{source}")
    return "\n".join(parts)


def classic(text):
    """A module's text as a classic script: its exports plain declarations.
    A worker started from a file opened from disk can only be a classic one."""
    text = EXPORT.sub("", text)
    if re.search(r"^export\b", text, re.MULTILINE):
        raise SystemExit("assemble_site.py: an export that is no declaration")
    return text


def inline_script(text):
    # Nothing in a script element may close it early, nor open a comment
    # that changes where it ends.
    if "<!--" in text:
        raise SystemExit("assemble_site.py: a script holds <!--, which HTML reads as a comment")
    return text.replace("</script", "<\\/script")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", type=pathlib.Path, required=True)
    parser.add_argument("--texts", type=pathlib.Path, required=True)
    parser.add_argument("--sample", type=pathlib.Path, required=True)
    parser.add_argument("--single-engine", type=pathlib.Path, required=True)
    parser.add_argument("--site", type=pathlib.Path, required=True)
    args = parser.parse_args()

    site = args.site
    site.mkdir(parents=True, exist_ok=True)
    for pattern in ("*.html", "*.css", "*.mjs"):
        for path in args.source.glob(pattern):
            shutil.copyfile(path, site / path.name)
    (site / "alvane_texts.mjs").write_text(
        module_text("alvaneTexts", alvane_texts(args.texts)), encoding="utf-8")
    sample = args.sample.read_text(encoding="utf-8")
    (site / "sample_section.mjs").write_text(module_text("sampleSection", sample),
                                             encoding="utf-8")

    modules = {path.name: path.read_text(encoding="utf-8") for path in site.glob("*.mjs")}
    # The hosted page loads its modules joined, one file for the page and one
    # for the worker: a request each, not a chain of imports one after another.
    for entry, bundle in (("app.mjs", "page.mjs"), ("worker.mjs", "engine_worker.mjs")):
        (site / bundle).write_text(f"// Made from the sources by assemble_site.py.\n"
                                   f"{joined(modules, entry)}", encoding="utf-8")
    modules["tarvex-engine.mjs"] = args.single_engine.read_text(encoding="utf-8")
    page_script = joined(modules, "app.mjs")
    worker_script = classic(joined(modules, "worker.mjs"))
    html = (site / "index.html").read_text(encoding="utf-8")
    style = (site / "style.css").read_text(encoding="utf-8")
    html = html.replace(STYLESHEET, f"<style>\n{style}</style>")
    inline = (f'<script type="text/plain" id="tarvex-worker-source">'
              f"{inline_script(worker_script)}</script>\n"
              f'<script type="module">\n{inline_script(page_script)}</script>')
    html = PAGE_SCRIPT.sub(lambda _: inline, html)
    (site / "offline.html").write_text(html, encoding="utf-8")


if __name__ == "__main__":
    main()
