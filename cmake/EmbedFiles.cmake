# SPDX-License-Identifier: GPL-3.0-or-later
# Writes OUTPUT, a C++ source holding every file below ROOT as bytes, with a table of their paths
# relative to ROOT in name order. Run as a script: cmake -DROOT=... -DOUTPUT=... -P EmbedFiles.cmake
file(GLOB_RECURSE files RELATIVE ${ROOT} ${ROOT}/*)
list(SORT files)
set(arrays "")
set(table "")
set(index 0)
foreach(name ${files})
  file(READ ${ROOT}/${name} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n"
                       bytes "${bytes}")
  string(APPEND arrays "const unsigned char file${index}[] = {\n${bytes}};\n")
  string(APPEND table "    {\"${name}\", file${index}, sizeof file${index}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.tmp
     "// Generated from the files of ${ROOT} by EmbedFiles.cmake; do not edit.\n"
     "#include \"graphics/embedded_files.h\"\n\nnamespace quillary {\n\nnamespace {\n${arrays}} // namespace\n\n"
     "const EmbeddedFile EmbeddedFiles[] = {\n${table}};\nconst std::size_t EmbeddedFileCount = ${index};\n\n"
     "} // namespace quillary\n")
# Touch the source only when it changes, so a reconfigure does not rebuild the library.
configure_file(${OUTPUT}.tmp ${OUTPUT} COPYONLY)
