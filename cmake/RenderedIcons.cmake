# The tag button icons and the program's window icon as PNG pictures, rendered once at build
# time from their SVG art and compiled into orvanel_ui as ":/buttons/<key>.png" (and
# "<key>@2x.png" for screens of double density) and ":/program/orvanel-<size>.png". The
# running palette then loads no SVG renderer and parses no SVG until the about box opens.
# rsvg-convert: Debian librsvg2-bin.

find_program(ORVANEL_RSVG_CONVERT rsvg-convert REQUIRED)
set(ORVANEL_RENDERED_DIR ${CMAKE_BINARY_DIR}/rendered)

function(orvanel_render_png svg png size)
  get_filename_component(dir ${png} DIRECTORY)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${ORVANEL_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
    DEPENDS ${svg} VERBATIM)
endfunction()

# A tag button's picture is 5 pixels smaller than the 27-pixel button.
set(pngs)
file(GLOB button_svgs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/catalogue/icons/*.svg)
foreach(svg ${button_svgs})
  get_filename_component(key ${svg} NAME_WE)
  orvanel_render_png(${svg} ${ORVANEL_RENDERED_DIR}/buttons/${key}.png 22)
  orvanel_render_png(${svg} ${ORVANEL_RENDERED_DIR}/buttons/${key}@2x.png 44)
  list(APPEND pngs ${ORVANEL_RENDERED_DIR}/buttons/${key}.png ${ORVANEL_RENDERED_DIR}/buttons/${key}@2x.png)
endforeach()
foreach(size 16 32 48)
  orvanel_render_png(${CMAKE_SOURCE_DIR}/src/about/orvanel.svg ${ORVANEL_RENDERED_DIR}/program/orvanel-${size}.png
                     ${size})
  list(APPEND pngs ${ORVANEL_RENDERED_DIR}/program/orvanel-${size}.png)
endforeach()
qt_add_resources(orvanel_ui rendered_icons PREFIX / BASE ${ORVANEL_RENDERED_DIR} FILES ${pngs})
