# SPDX-License-Identifier: MIT
# Copies SRC to DST unless DST exists: a rebuild never overwrites a user's settings.
if(NOT EXISTS "${DST}")
  get_filename_component(dst_dir "${DST}" DIRECTORY)
  file(MAKE_DIRECTORY "${dst_dir}")
  file(COPY_FILE "${SRC}" "${DST}")
endif()
