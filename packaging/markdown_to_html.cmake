# Turns one Markdown guide into an HTML page (cmake -P): links to other guides point at their
# HTML pages, raw anchors (<a id="...">) are kept so the program can open a guide's section.
#   cmake -DCMARK=... -DIN=guide.md -DOUT=guide.html -P markdown_to_html.cmake
execute_process(COMMAND ${CMARK} --unsafe --extension table --extension autolink ${IN}
                OUTPUT_VARIABLE body RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "cannot convert ${IN}")
endif()
string(REGEX REPLACE "href=\"([^\":#]+)\\.md#" "href=\"\\1.html#" body "${body}")
string(REGEX REPLACE "href=\"([^\":#]+)\\.md\"" "href=\"\\1.html\"" body "${body}")
string(REGEX MATCH "<h1>([^<]*)</h1>" _ "${body}")
set(title "${CMAKE_MATCH_1}")
if(title STREQUAL "")
    get_filename_component(title ${IN} NAME_WE)
endif()
file(WRITE ${OUT} "<!DOCTYPE html>
<html lang=\"fr\"><head><meta charset=\"utf-8\"><title>${title}</title>
<style>body{font-family:sans-serif;max-width:52em;margin:2em auto;padding:0 1em;line-height:1.5}
img{max-width:100%;border:1px solid #ccc}table{border-collapse:collapse}
td,th{border:1px solid #bbb;padding:.2em .5em}code{background:#f3f3f3}</style></head>
<body>
${body}</body></html>
")
