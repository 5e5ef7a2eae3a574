# corvalen_embed_text(HEADER NAME FILE [NAME FILE]...) writes HEADER, which defines each NAME as a
# std::string_view constant holding the text of its FILE as it stands. It runs when CMake
# configures, and again whenever a FILE changes; a header whose content stays the same is not
# written again.
function(corvalen_embed_text header)
    set(content "#pragma once\n\n#include <string_view>\n\nnamespace corvalen {\n\n")
    while(ARGN)
        list(POP_FRONT ARGN name file)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
        file(READ ${file} text)
        string(APPEND content "inline constexpr std::string_view ${name} = R\"~(${text})~\";\n\n")
    endwhile()
    string(APPEND content "}  // namespace corvalen\n")
    file(WRITE ${header}.new "${content}")
    configure_file(${header}.new ${header} COPYONLY)
endfunction()
