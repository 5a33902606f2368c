#include "Transfer/ReportStyle.h"

namespace quillane::ReportStyle {

std::string sheet(std::string_view verdictColour) {
    std::string css;
    css +=
        ":root{--bg:#fff;--fg:#16171a;--muted:#6b6f78;--line:#e6e7ea;--good:#14a36b;--bad:#d93a32;--chip:#f2f3f5}\n"
        "@media (prefers-color-scheme: dark){:root{--bg:#111214;--fg:#edeef0;--muted:#9a9da6;--line:#26272c;"
        "--good:#3ddc97;--bad:#ff5f57;--chip:#1d1e22}}\n"
        "*{box-sizing:border-box}\n"
        "body{margin:0;background:var(--bg);color:var(--fg);"
        "font:14px/1.5 -apple-system,BlinkMacSystemFont,\"Helvetica Neue\",sans-serif}\n"
        "main{max-width:960px;margin:0 auto;padding:40px 24px 60px}\n"
        ".brand{color:var(--muted);font-size:12px;letter-spacing:.08em;text-transform:uppercase}\n"
        "h1{font-size:28px;margin:6px 0 4px}\n";
    css += ".verdict{font-size:17px;font-weight:600;color:var(" + std::string(verdictColour) + ");margin-bottom:28px}\n";
    css +=
        ".facts{display:grid;grid-template-columns:repeat(auto-fill,minmax(260px,1fr));gap:10px;margin-bottom:32px}\n"
        ".fact{background:var(--chip);border-radius:10px;padding:10px 14px}\n"
        ".fact span{display:block;color:var(--muted);font-size:12px}\n"
        ".fact b{font-weight:600}\n"
        "h2{font-size:13px;letter-spacing:.08em;text-transform:uppercase;color:var(--muted);margin:28px 0 8px}\n"
        "table{width:100%;border-collapse:collapse}\n"
        "td{padding:8px 10px;border-bottom:1px solid var(--line);vertical-align:top}\n"
        ".num{text-align:right;white-space:nowrap}\n"
        ".mono{font-family:ui-monospace,Menlo,monospace;font-size:12px;color:var(--muted);word-break:break-all}\n"
        ".good{color:var(--good);font-weight:600;white-space:nowrap}\n"
        ".bad{color:var(--bad);font-weight:600}\n"
        ".tag{font-size:11px;background:var(--chip);border-radius:6px;padding:1px 6px;color:var(--muted)}\n"
        ".note{color:var(--muted);font-size:12px;margin-top:28px}\n"
        ".clips{display:grid;grid-template-columns:repeat(auto-fill,minmax(200px,1fr));gap:12px}\n"
        "figure{margin:0;background:var(--chip);border-radius:10px;overflow:hidden}\n"
        "figure img,.noimg{display:block;width:100%;aspect-ratio:16/9;object-fit:cover;background:#000}\n"
        "figcaption{padding:8px 10px;font-size:12px}\n"
        "figcaption b{display:block}\n"
        "figcaption span{color:var(--muted)}\n"
        "@media print{figure{break-inside:avoid}}\n";
    return css;
}

}  // namespace quillane::ReportStyle
