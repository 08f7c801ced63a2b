#!/usr/bin/env python3
"""The Windows deliverables, made from the program folder (never from a list of its own).

  make_packages.py readme SOURCE.txt TARGET.txt
      Copies a UTF-8 text file as Windows users' editors expect it: UTF-8 with a byte-order
      mark and CRLF line ends.

  make_packages.py packages PROGRAM_DIR OUT_DIR VERSION NSI ICON PUBLISHER COPYRIGHT HOMEPAGE
      Writes OUT_DIR/Mojiview-VERSION.zip (the program folder as it is, under a top folder
      "Mojiview-VERSION") and OUT_DIR/Mojiview-VERSION-setup.exe (makensis with NSI). What the
      programs write beside themselves at run time (settings, log, TEMP, the registered
      readings) is left out. HOMEPAGE (may be empty) becomes the uninstall entry's
      URLInfoAbout. Nothing is done when both files are newer than every input.
"""
import os
import subprocess
import sys
import tempfile
import zipfile

# Files and folders that the programs create in their own folder when they run.
RUNTIME_STATE = {"mojiview.ini", "mojiview.log", "mojiview.log.old", "_oldeudc.ymi", "temp"}


def program_files(folder):
    """Relative paths (with "/") of the deliverable files of the program folder, sorted."""
    found = []
    for top, dirs, files in os.walk(folder):
        rel_top = os.path.relpath(top, folder)
        if rel_top == ".":
            dirs[:] = [d for d in dirs if d.lower() not in RUNTIME_STATE]
            files = [f for f in files if f.lower() not in RUNTIME_STATE]
        dirs.sort()
        for name in files:
            found.append(os.path.normpath(os.path.join(rel_top, name)).replace(os.sep, "/"))
    return sorted(found)


def up_to_date(outputs, inputs):
    if not all(os.path.exists(o) for o in outputs):
        return False
    oldest_output = min(os.path.getmtime(o) for o in outputs)
    return all(os.path.getmtime(i) <= oldest_output for i in inputs)


def write_zip(folder, files, target, top):
    temporary = target + ".tmp"
    with zipfile.ZipFile(temporary, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for rel in files:
            # Non-ASCII names get the UTF-8 flag from zipfile, which Windows honours.
            archive.write(os.path.join(folder, rel), top + "/" + rel)
    os.replace(temporary, target)


def nsis_path(rel):
    return rel.replace("/", "\\")


def write_file_lists(files, target):
    """The installer's macros: put every file in place, remove exactly those files (the error
    flag tells that one stayed), then the folders that they leave empty."""
    folders = sorted({os.path.dirname(f) for f in files if os.path.dirname(f)}, key=lambda d: (-d.count("/"), d))
    lines = ["!macro InstallProgramFolder"]
    for folder in sorted({os.path.dirname(f) for f in files}):
        lines.append('  SetOutPath "$INSTDIR%s"' % ("\\" + nsis_path(folder) if folder else ""))
        for rel in files:
            if os.path.dirname(rel) == folder:
                lines.append('  File "/oname=%s" "${PROGRAM_DIR}\\%s"' % (os.path.basename(rel), nsis_path(rel)))
    lines.append('  SetOutPath "$INSTDIR"')
    lines.append("!macroend")
    lines.append("!macro RemoveProgramFiles")
    lines += ['  Delete "$INSTDIR\\%s"' % nsis_path(rel) for rel in files]
    lines.append("!macroend")
    lines.append("!macro RemoveProgramFolders")
    lines += ['  RMDir "$INSTDIR\\%s"' % nsis_path(d) for d in folders]
    lines.append("!macroend")
    with open(target, "w", encoding="utf-8-sig", newline="\r\n") as out:
        out.write("\n".join(lines) + "\n")


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def packages(folder, out_dir, version, nsi, icon, publisher, copyright_line, homepage):
    files = program_files(folder)
    os.makedirs(out_dir, exist_ok=True)
    zip_path = os.path.join(out_dir, "Mojiview-%s.zip" % version)
    setup_path = os.path.join(out_dir, "Mojiview-%s-setup.exe" % version)
    inputs = [os.path.join(folder, f) for f in files] + [nsi, icon, os.path.abspath(__file__)]
    if up_to_date([zip_path, setup_path], inputs):
        return 0
    write_zip(folder, files, zip_path, "Mojiview-%s" % version)

    size_kb = (sum(os.path.getsize(p) for p in inputs[: len(files)]) + 1023) // 1024
    with tempfile.TemporaryDirectory() as work:
        lists = os.path.join(work, "files.nsh")
        write_file_lists(files, lists)
        temporary = setup_path + ".tmp"
        command = ["makensis", "-V2", "-INPUTCHARSET", "UTF8",
                   "-DVERSION=" + version, "-DPUBLISHER=" + publisher, "-DCOPYRIGHT=" + copyright_line,
                   "-DHOMEPAGE=" + homepage,
                   "-DOUTFILE=" + temporary, "-DFILES_NSH=" + lists, "-DICON=" + icon,
                   "-DPROGRAM_DIR=" + folder, "-DSIZE_KB=%d" % size_kb, nsi]
        result = subprocess.run(command)
        if result.returncode != 0:
            return result.returncode
        os.replace(temporary, setup_path)
    for path in (zip_path, setup_path):
        print("%s: %d bytes" % (os.path.basename(path), os.path.getsize(path)))
    return 0


def readme(source, target):
    with open(source, encoding="utf-8") as text:
        content = text.read()
    with open(target, "w", encoding="utf-8-sig", newline="\r\n") as out:
        out.write(content)
    return 0


def main(argv):
    if len(argv) == 4 and argv[1] == "readme":
        return readme(argv[2], argv[3])
    if len(argv) == 10 and argv[1] == "packages":
        return packages(*argv[2:])
    sys.stderr.write(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
