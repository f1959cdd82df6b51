# SPDX-License-Identifier: MIT
# The about window: its design, its texts, the web link and the falling-icon animation.
astrelo_add_test(tst_form2 SOURCES tst_form2.cpp LIBS astrelo_about_window)
