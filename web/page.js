// SPDX-License-Identifier: MIT
// The page's script: it starts the program (qzd.js, the model library and the window's commands in
// WebAssembly), hands it the page's clicks, files and drops, and does what it asks to the page's
// elements by their names. It decides nothing itself: which click does what, the load command's
// steps, every text and every show or hide come from the program.
'use strict';

(function () {
  const picker = document.getElementById('FileOpenDlg');
  const errorBox = document.getElementById('errorBox');
  // The window's elements never change, so each is looked up once.
  const elements = new Map();
  const element = (name) => {
    let found = elements.get(name);
    if (!found) {
      found = document.getElementById(name);
      elements.set(name, found);
    }
    return found;
  };

  // The phone's model sheet repeats each display field beside its label: whatever text, flag and
  // name the program gives a field goes to its row too. While the sheet is out of sight (a wide
  // screen, or the window view) the rows wait, and take their fields' texts and flags once it
  // shows, so that a load on a desktop writes the window alone.
  const sheetRows = new Map();
  for (const row of document.querySelectorAll('#sheet [data-of]')) {
    const value = row.querySelector('dd') || row;
    sheetRows.set(row.dataset.of, { row, value, label: row.querySelector('dt') });
  }
  const sheetPath = document.querySelector('#sheet .sheet-path dd');
  const narrow = matchMedia('(max-width: 699px)');
  const behind = new Set(sheetRows.keys());
  function updateSheet() {
    if (!narrow.matches || document.body.classList.contains('window-view')) return;
    for (const name of behind) {
      const field = element(name);
      const sheet = sheetRows.get(name);
      const text = field instanceof HTMLTextAreaElement ? field.value : field.textContent;
      if (sheet.value.textContent !== text) sheet.value.textContent = text;
      if (sheet.row.hidden !== field.hidden) sheet.row.hidden = field.hidden;
    }
    behind.clear();
    // The sheet lists the settings once a file has been chosen.
    if (sheetPath.textContent) document.body.classList.add('loaded');
  }
  narrow.addEventListener('change', updateSheet);

  // A file given to the picker without the program waiting for one: the next load takes it.
  let handedOver = null;
  // The files of the last drop or launch, and whether they wait for the program to start.
  let dropped = [];
  // The files last handed over together (chosen at once, or launched), for Page Down and Up.
  let handed = [];
  let dropWaits = false;
  // The open dialog the program is waiting on: resolves to a File, or null for a cancel.
  let waitingForFile = null;
  // The command that runs; the page is modal while it does, as the desktop window is.
  let running = null;
  let program = null;

  const page = {
    // A load sets every field, most of them often to the text they show already: only a change is
    // written, so that the browser lays out and paints again only what changed.
    setText(name, text) {
      const target = element(name);
      // Text only, never markup: a field's value, a caption's text node.
      if (target instanceof HTMLTextAreaElement) {
        if (target.value !== text) target.value = text;
      } else if (target.textContent !== text) {
        target.textContent = text;
      }
      if (sheetRows.has(name)) behind.add(name);
    },
    setVisible(name, visible) {
      const target = element(name);
      if (target.hidden === visible) target.hidden = !visible;
      if (sheetRows.has(name)) behind.add(name);
    },
    setLabel(name, label) {
      element(name).setAttribute('aria-label', label);
      const sheet = sheetRows.get(name);
      if (sheet && sheet.label) sheet.label.textContent = label;
    },
    chooseFile() {
      if (handedOver) {
        const file = handedOver;
        handedOver = null;
        return Promise.resolve(file);
      }
      return new Promise((resolve) => {
        waitingForFile = resolve;
        picker.click();
      });
    },
    showError(caption, text) {
      updateSheet();
      document.getElementById('errorCaption').textContent = caption;
      document.getElementById('errorText').textContent = text;
      return new Promise((resolve) => {
        errorBox.addEventListener('close', () => resolve(), { once: true });
        errorBox.showModal();
      });
    },
    // The program has weighed a drop and loads the one file at `index`.
    takeDropped(index) {
      this.chosen = dropped[index];
    },
    droppedName: (index) => dropped[index].name,
    handedName: (index) => handed[index].name,
    useFile(name) {
      if (this.chosen && this.chosen.name === name) return;
      const file = handed.find((candidate) => candidate.name === name);
      if (file) this.chosen = file;
    },
    // The command bar's buttons, made once from the program's commands.
    command(id, name, keys, enabled) {
      let button = commandButtons.get(id);
      if (!button) {
        button = document.createElement('button');
        button.type = 'button';
        button.className = 'command';
        button.textContent = name;
        if (keys) {
          button.title = keys;
          button.setAttribute('aria-keyshortcuts',
            keys.replace('Ctrl', 'Control').replace('Page Down', 'PageDown')
              .replace('Page Up', 'PageUp'));
        }
        button.addEventListener('click', () => command('qzd_run', id));
        commandButtons.set(id, button);
        commandBar.append(button);
      }
      button.disabled = !enabled;
    },
    print(header) {
      document.getElementById('printHeader').textContent = header;
      window.print();
    },
    copy(text) {
      const failed = () => page.announce('The model sheet could not be copied.');
      if (!navigator.clipboard) return failed();
      navigator.clipboard.writeText(text).catch(failed);
    },
    download(name, text) {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([text], { type: 'text/plain;charset=utf-8' }));
      link.download = name;
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    },
    // Said by screen readers; set anew so that the same name twice is said twice.
    announce(text) {
      announcer.textContent = '';
      requestAnimationFrame(() => { announcer.textContent = text; });
    },
    chosen: null,
    stream: null,
  };

  const commandBar = document.getElementById('commands');
  const commandButtons = new Map();
  const announcer = document.getElementById('announcer');
  function updateCommands() {
    program.ccall('qzd_commands', null, [], []);
  }

  function finished() {
    running = null;
    updateCommands();
    updateSheet();
    document.dispatchEvent(new Event('qzd-command-done'));
  }

  // Runs one command of the program to its end; true when it started. Input that arrives
  // meanwhile goes to the program too, which drops it: it is called straight through, since the
  // program takes only one call at a time that waits.
  function command(name, ...args) {
    if (!program) return false;
    const types = args.map((arg) => (typeof arg === 'number' ? 'number' : 'string'));
    if (running) {
      program.ccall(name, null, types, args);
      return false;
    }
    running = program
      .ccall(name, null, types, args, { async: true })
      .then(finished, (error) => {
        finished();
        throw error;
      });
    return true;
  }

  // A file of `name` whose read fails with `error`, as a File's does once it is gone.
  function unreadableFile(name, error) {
    return { name, size: 0, stream: () => new ReadableStream({ start: (r) => r.error(error) }) };
  }

  function fileArrived(file) {
    if (waitingForFile) {
      const resolve = waitingForFile;
      waitingForFile = null;
      resolve(file);
    } else if (file && program) {
      // A file given to the picker while no dialog was open loads as if chosen; where the program
      // drops the command, the file goes with it.
      handedOver = file;
      if (!command('qzd_file_open_click')) handedOver = null;
    } else if (file) {
      handedOver = file;
    }
  }

  // Files dropped on the page or handed over by a launch: the program takes exactly one model
  // file and refuses anything else. Before the program is up they wait for it.
  function filesDropped(files) {
    dropped = Array.from(files);
    dropWaits = !program;
    command('qzd_drop', dropped.length);
  }

  // Files handed over together: the first loads, and Page Down and Up step through them all.
  function handFiles(files) {
    handed = files;
    if (program) program.ccall('qzd_hand', null, ['number'], [handed.length]);
  }

  picker.addEventListener('change', () => {
    const files = Array.from(picker.files);
    // Cleared, so that choosing the same file again is a change again.
    picker.value = '';
    if (files.length > 0) handFiles(files);
    fileArrived(files.length > 0 ? files[0] : null);
  });
  picker.addEventListener('cancel', () => fileArrived(null));

  document.getElementById('errorOk').addEventListener('click', () => errorBox.close());

  // Buttons and frames tell the program which element was clicked; the program knows what, if
  // anything, that element does. A frame counts only where none of its visible elements lies.
  document.getElementById(document.body.dataset.window).addEventListener('click', (event) => {
    const target = event.target.closest('button, .frame, .frame-title');
    if (!target) return;
    const clicked = target.classList.contains('frame-title') ? target.parentElement : target;
    if (clicked.classList.contains('frame') && event.target !== clicked && event.target !== target)
      return;
    command('qzd_click', clicked.id);
  });

  // The sheet's load button is the window's.
  document.getElementById('sheetOpen').addEventListener('click', () => command('qzd_click', 'open'));

  // One tap switches between the sheet and the window, which a phone then scales to its width.
  const viewport = document.querySelector('meta[name="viewport"]');
  const sheetViewport = viewport.content;
  const windowWidth = Number(document.body.dataset.windowWidth);
  function showWindow(shown) {
    document.body.classList.toggle('window-view', shown);
    viewport.content = shown ? `width=${windowWidth}` : sheetViewport;
    scrollTo(0, 0);
    updateSheet();
  }
  // A screen wide enough for the window but narrower than it (a tablet upright) shows the window
  // scaled to its width, with no sheet.
  if (innerWidth >= 700 && innerWidth < windowWidth) viewport.content = `width=${windowWidth}`;
  document.getElementById('sheetToWindow').addEventListener('click', () => showWindow(true));
  document.getElementById('windowToSheet').addEventListener('click', () => showWindow(false));

  // The window's command keys, wherever the focus is on the page; the program says which keys
  // are its own, and every other key stays the browser's.
  window.addEventListener('keydown', (event) => {
    if (!program || errorBox.open || event.altKey || event.metaKey) return;
    const args = [event.key, event.ctrlKey ? 1 : 0, event.shiftKey ? 1 : 0];
    if (!program.ccall('qzd_key_taken', 'number', ['string', 'number', 'number'], args)) return;
    event.preventDefault();
    command('qzd_key', ...args);
  });

  // One file dropped anywhere on the page does what choosing it does.
  window.addEventListener('dragover', (event) => {
    event.preventDefault();
    const busy = program && program.ccall('qzd_busy', 'number', [], []);
    event.dataTransfer.dropEffect = busy ? 'none' : 'copy';
  });
  window.addEventListener('drop', (event) => {
    event.preventDefault();
    filesDropped(event.dataTransfer.files);
  });

  // Installed, the page is a program that opens model files (a double-click in the file manager):
  // the browser hands the file over, and it loads exactly as if it had been chosen. A file that
  // can no longer be had reads as one gone since it was chosen.
  if ('launchQueue' in window) {
    launchQueue.setConsumer((launch) => {
      const files = launch.files.map((handle) =>
        handle.getFile().catch((error) => unreadableFile(handle.name, error)));
      Promise.all(files).then((launched) => {
        if (launched.length > 1) handFiles(launched);
        filesDropped(launched.slice(0, 1));
      });
    });
  }

  // The window is painted from the page alone; the program is fetched and compiled after that
  // first frame, so that on a busy machine the two do not share its processors. A file chosen or
  // dropped before the program is up loads as soon as it is.
  function startProgram() {
    createQzdModule({ page }).then((module) => {
      program = module;
      program.ccall('qzd_start', null, [], []);
      if (handed.length) handFiles(handed);
      updateCommands();
      commandBar.hidden = false;
      document.body.classList.add('ready');
      if (handedOver) command('qzd_file_open_click');
      else if (dropWaits) command('qzd_drop', dropped.length);
    });
  }
  // A page opened out of sight paints no frame until it is shown: it starts at once.
  if (document.hidden) startProgram();
  else requestAnimationFrame(() => setTimeout(startProgram, 0));

  // The offline copy is made once the page has loaded, not while it still competes for the page.
  // A page opened from disk is its own copy.
  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    window.addEventListener('load', () => navigator.serviceWorker.register('sw.js').catch(() => {}));
  }
})();
