# Who the project is, said once: the program (through the generated Identity.h), the package,
# the desktop metadata and the manual pages take these. The version and its date come from
# CHANGELOG.md (cmake/Changelog.cmake).
set(quadrello_product Quadrello)
set(quadrello_app_id com.tarvenn.quadrello)
set(quadrello_vendor Tarvenn)
# The author's address for feedback mail, as the program shows it.
set(quadrello_author_mail tarvenn@example.com)
set(quadrello_homepage https://quadrello.tarvenn.org/)
set(quadrello_bugtracker https://quadrello.tarvenn.org/bugs/)
set(quadrello_contact quadrello@tarvenn.org)
set(quadrello_maintainer "${quadrello_vendor} <${quadrello_contact}>")
# The main window as the e2e harness shows it (target `screenshot`), published at this address.
set(quadrello_screenshot_url ${quadrello_homepage}screenshots/main-window.png)
