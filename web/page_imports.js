// SPDX-License-Identifier: MIT
// The page's side of the program's imports. Each one hands over to `Module.page`, the adapter that
// page.js gives the module: the program decides everything, the page moves bytes and elements.
mergeInto(LibraryManager.library, {
  // Model texts are bytes, one character per byte, as in the desktop window.
  $qzdLatin1: function (pointer, length) {
    var text = '';
    for (var at = 0; at < length; at += 8192) {
      var end = Math.min(length, at + 8192);
      text += String.fromCharCode.apply(null, HEAPU8.subarray(pointer + at, pointer + end));
    }
    return text;
  },

  qzd_page_set_text__deps: ['$qzdLatin1'],
  qzd_page_set_text: function (name, nameLength, text, textLength) {
    Module.page.setText(qzdLatin1(name, nameLength), qzdLatin1(text, textLength));
  },

  qzd_page_set_visible__deps: ['$qzdLatin1'],
  qzd_page_set_visible: function (name, nameLength, visible) {
    Module.page.setVisible(qzdLatin1(name, nameLength), visible !== 0);
  },

  qzd_page_set_label__deps: ['$qzdLatin1'],
  qzd_page_set_label: function (name, nameLength, label, labelLength) {
    Module.page.setLabel(qzdLatin1(name, nameLength), UTF8ToString(label, labelLength));
  },

  // The path field shows a file's name as the file system spells it.
  qzd_page_set_file_path__deps: ['$qzdLatin1'],
  qzd_page_set_file_path: function (name, nameLength, path, pathLength) {
    Module.page.setText(qzdLatin1(name, nameLength), UTF8ToString(path, pathLength));
  },

  // Waits for the open dialog. Returns the UTF-8 length of the chosen file's name, or -1 when
  // the dialog was cancelled.
  qzd_page_choose_file: function () {
    return Asyncify.handleAsync(async function () {
      var file = await Module.page.chooseFile();
      Module.page.chosen = file;
      return file ? lengthBytesUTF8(file.name) : -1;
    });
  },

  qzd_page_chosen_name: function (buffer, capacity) {
    stringToUTF8(Module.page.chosen.name, buffer, capacity);
  },

  // The name of the dropped file at `index`: its UTF-8 length, and its bytes once `buffer` is
  // given.
  qzd_page_dropped_name: function (index, buffer, capacity) {
    var name = Module.page.droppedName(index);
    if (buffer) stringToUTF8(name, buffer, capacity);
    return lengthBytesUTF8(name);
  },

  // The drop loads the dropped file at `index`: its stream is the one the read takes.
  qzd_page_take_dropped: function (index) {
    Module.page.takeDropped(index);
  },

  // Shows the modal error box and waits until the user has closed it.
  qzd_page_show_error__deps: ['$qzdLatin1'],
  qzd_page_show_error: function (caption, captionLength, text, textLength) {
    var captionText = UTF8ToString(caption, captionLength);
    var messageText = qzdLatin1(text, textLength);
    return Asyncify.handleAsync(function () {
      return Module.page.showError(captionText, messageText);
    });
  },

  // `left` counts the bytes the File said it holds and the stream has not given yet: once all have
  // come, the end of the file is known without waiting for the stream to say so, which costs the
  // browser another round trip to its file reader. The first read always goes to the stream, so
  // that a file gone or changed since it was chosen still fails as such.
  qzd_page_open_stream: function () {
    var file = Module.page.chosen;
    Module.page.stream = { reader: file.stream().getReader(), chunk: null, at: 0, left: file.size };
  },

  // Copies the next bytes of the stream; waits only when the chunk at hand is used up. After a
  // wait the program's stack is rewound and this is called again: that call must go through the
  // wait's bookkeeping too, before it copies.
  qzd_page_read: function (buffer, capacity) {
    var stream = Module.page.stream;
    var atHand = stream.chunk && stream.at < stream.chunk.length;
    if (Asyncify.state === Asyncify.State.Normal && !atHand && stream.chunk && stream.left <= 0) {
      return 0;
    }
    if (Asyncify.state !== Asyncify.State.Normal || !atHand) {
      var status = Asyncify.handleAsync(async function () {
        try {
          for (;;) {
            var next = await stream.reader.read();
            if (next.done) return 0;
            if (next.value.length !== 0) {
              stream.chunk = next.value;
              stream.at = 0;
              stream.left -= next.value.length;
              return 1;
            }
          }
        } catch (error) {
          stream.error = String(error && error.name);
          return -1;
        }
      });
      // Unwinding for the wait: what handleAsync answers then is the last wait's value, which is
      // 1 after a read of a chunk, not this one's, and there may be no chunk yet to copy from.
      if (Asyncify.state === Asyncify.State.Unwinding) return 0;
      // The end of the file, or a failed read.
      if (status !== 1) return status | 0;
    }
    var count = Math.min(capacity, stream.chunk.length - stream.at);
    HEAPU8.set(stream.chunk.subarray(stream.at, stream.at + count), buffer);
    stream.at += count;
    return count;
  },

  qzd_page_read_error: function (buffer, capacity) {
    var name = Module.page.stream.error || '';
    stringToUTF8(name, buffer, capacity);
    return Math.min(lengthBytesUTF8(name), capacity - 1);
  },

  qzd_page_close_stream: function () {
    var stream = Module.page.stream;
    Module.page.stream = null;
    // Nothing waits for the cancel: the reader has taken all it wanted.
    if (stream) stream.reader.cancel().catch(function () {});
  },

  // The name of the handed file at `index`: its UTF-8 length, and its bytes once `buffer` is
  // given.
  qzd_page_handed_name: function (index, buffer, capacity) {
    var name = Module.page.handedName(index);
    if (buffer) stringToUTF8(name, buffer, capacity);
    return lengthBytesUTF8(name);
  },

  // The read that follows takes the handed file of that name, unless it is the one chosen last.
  qzd_page_use_file: function (name, nameLength) {
    Module.page.useFile(UTF8ToString(name, nameLength));
  },

  // One button of the command bar, made the first time and brought up to date afterwards.
  qzd_page_command: function (command, name, nameLength, keys, keysLength, enabled) {
    Module.page.command(command, UTF8ToString(name, nameLength), UTF8ToString(keys, keysLength),
                        enabled !== 0);
  },

  qzd_page_print: function (header, headerLength) {
    Module.page.print(UTF8ToString(header, headerLength));
  },

  qzd_page_copy: function (text, textLength) {
    Module.page.copy(UTF8ToString(text, textLength));
  },

  qzd_page_download: function (name, nameLength, text, textLength) {
    Module.page.download(UTF8ToString(name, nameLength), UTF8ToString(text, textLength));
  },

  qzd_page_announce: function (text, textLength) {
    Module.page.announce(UTF8ToString(text, textLength));
  },
});
