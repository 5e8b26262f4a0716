# Writes the preprocessed GRC texts into one C++ file as the module's resource section.
set(text "")
foreach(input ${INPUTS})
    file(READ ${input} part)
    string(APPEND text "${part}\n")
endforeach()
file(WRITE ${OUTPUT} "// Generated from the add-on's GRC resources. Do not edit.\n"
    "extern \"C\" __attribute__((visibility(\"default\"))) const char ACAP_ResourceSection[] =\n"
    "R\"GRC_RESOURCES(${text})GRC_RESOURCES\";\n")
