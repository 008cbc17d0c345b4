# The font file tests open FreeType faces themselves.
find_package(Freetype REQUIRED)
target_link_libraries(${name} PRIVATE Freetype::Freetype)
