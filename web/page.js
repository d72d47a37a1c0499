// The page around the conversion: gathers what was picked or dropped, hands
// it to Module.convert (lumivane_web.cpp) and shows the result. Runs again
// whenever a setting changes, on the files already given.
(() => {
  const $ = (id) => document.getElementById(id);
  // What the command line refuses without reading (kMaxPixels, kMaxFrames, kLargestSource).
  const kMaxPixels = 16 << 20;
  const kMaxFrames = 1024;
  const kLargestSource = 64 << 20;
  let given = { folder: '', files: [] };
  let ready = false;
  let running = Promise.resolve();

  function settings() {
    const number = (id) => Number.parseInt($(id).value, 10) || 0;
    return {
      threshold: Math.min(255, Math.max(0, number('threshold'))),
      dither: $('dither').value,
      invert: $('invert').checked,
      rotate: number('rotate'),
      flip: $('flip').value,
      fitWidth: number('fit-width'),
      fitHeight: number('fit-height'),
      backgroundSet: $('background').value === 'set',
    };
  }

  const isGif = (bytes) => bytes.length >= 6 && String.fromCharCode(...bytes.subarray(0, 6)).match(/^GIF8[79]a$/);
  const isBitmap = (path) => /\.xbm$/.test(path.trim());

  // The browser composes a GIF's frames; the command line's limits and
  // refusals, read from the file's blocks, hold first.
  async function gifFrames(file, bytes) {
    const facts = gifFrameFacts(bytes);
    file.frames = [];
    file.tooLarge = facts.tooLarge;
    file.decodeError = facts.damage;
    if (facts.tooLarge || facts.damage) return;
    try {
      const decoder = new ImageDecoder({ type: 'image/gif', data: bytes,
        colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
      await decoder.tracks.ready;
      await decoder.completed;
      for (let i = 0; i < decoder.tracks.selectedTrack.frameCount; ++i) {
        const frame = await frameRgba((await decoder.decode({ frameIndex: i })).image);
        frame.delayMs = facts.delays[i] || 0;
        file.frames.push(frame);
      }
      decoder.close();
    } catch (failure) {
      file.frames = [];
      file.decodeError = 'the browser could not decode it';
    }
  }

  // What the browser does not tell: each frame's delay as written (browsers
  // lengthen short ones for display; 0 without a graphic control block), and
  // what the command line refuses frame by frame where browsers draw anyway.
  function gifFrameFacts(bytes) {
    const delays = [];
    const word = (at) => bytes[at] | bytes[at + 1] << 8;
    const skipBlocks = (at) => { while (at < bytes.length && bytes[at] !== 0) at += bytes[at] + 1; return at + 1; };
    const colours = (flags) => (flags & 0x80 ? 3 << ((flags & 7) + 1) : 0);
    const [screenWidth, screenHeight] = [word(6), word(8)];
    let delay = 0;
    for (let at = 13 + colours(bytes[10]); at < bytes.length;) {
      if (bytes[at] === 0x21) {
        if (bytes[at + 1] === 0xf9) delay = word(at + 4) * 10;
        at = skipBlocks(at + 2);
      } else if (bytes[at] === 0x2c) {
        const count = delays.length + 1;
        if (word(at + 5) === 0 || word(at + 7) === 0) return { delays, damage: 'a frame of no size' };
        if (count > kMaxFrames) return { delays, tooLarge: `more than ${kMaxFrames} frames` };
        if (count * screenWidth * screenHeight > kMaxPixels) {
          return { delays, tooLarge: `${count} frames of ${screenWidth} x ${screenHeight}, over 16 megapixels together` };
        }
        if (!(bytes[10] & 0x80) && !(bytes[at + 9] & 0x80)) return { delays, damage: 'no colour table' };
        delays.push(delay);
        delay = 0;
        at = skipBlocks(at + 10 + colours(bytes[at + 9]) + 1);
      } else {
        break;
      }
    }
    return { delays };
  }

  async function frameRgba(image) {
    const width = image.visibleRect.width;
    const height = image.visibleRect.height;
    const raw = new Uint8Array(image.allocationSize());
    const [plane] = await image.copyTo(raw);
    const bgr = image.format.startsWith('BGR');
    const opaque = image.format.endsWith('X');
    const rgba = new Uint8Array(width * height * 4);
    for (let y = 0; y < height; ++y) {
      for (let x = 0; x < width; ++x) {
        const from = plane.offset + y * plane.stride + x * 4;
        const to = (y * width + x) * 4;
        rgba[to] = raw[from + (bgr ? 2 : 0)];
        rgba[to + 1] = raw[from + 1];
        rgba[to + 2] = raw[from + (bgr ? 0 : 2)];
        rgba[to + 3] = opaque ? 255 : raw[from + 3];
      }
    }
    image.close();
    return { width, height, rgba };
  }

  function request() {
    const made = { settings: settings(), layout: $('layout').value, uncompressed: $('uncompressed').checked };
    return Object.assign(made, { key: JSON.stringify(made), animation: $('animation').checked });
  }

  // An image is imported as soon as it is read, while the browser reads the
  // next files; again only when a setting it depends on changes.
  async function prepare(file, chosen) {
    if (file.importedFor === chosen.key) return;
    if (file.frames === undefined && !isBitmap(file.path) && isGif(file.bytes) &&
        !Module.checkImage(file.bytes, file.path, chosen.settings)) await gifFrames(file, file.bytes);
    file.imported = Module.prepare(file, chosen);
    file.importedFor = chosen.key;
  }

  async function convert() {
    if (!ready || given.files.length === 0) return;
    const chosen = request();
    if (!given.folder) for (const file of given.files) await prepare(file, chosen);
    show(Module.convert(Object.assign({ folder: given.folder, files: given.files }, chosen)));
    // From the files given or the setting changed to the result on screen.
    requestAnimationFrame(() => setTimeout(() => performance.measure('lumivane-shown', 'lumivane-given')));
  }

  // Conversions run one after the other; the count of those waiting tells
  // when the page is idle (the tests wait for that).
  let pending = 0;
  function run() {
    document.body.dataset.pending = String(++pending);
    const done = () => { document.body.dataset.pending = String(--pending); };
    running = running.then(convert).catch((failure) => { $('box').textContent = String(failure); }).then(done);
    return running;
  }

  // A batch of hundreds shows its first previews, and its headers folded.
  const kMostPreviews = 48;
  const kMostOpenHeaders = 20;

  function show(result) {
    $('box').textContent = result.box;
    $('report').textContent = result.report;
    const bitmaps = previewsOf(result);
    const shown = bitmaps.slice(0, kMostPreviews).map(figure);
    if (bitmaps.length > kMostPreviews) shown.push(note(`The first ${kMostPreviews} of ${bitmaps.length} bitmaps.`));
    $('previews').replaceChildren(...shown);
    const open = result.outputs.length <= kMostOpenHeaders;
    $('outputs').replaceChildren(...result.outputs.map((output) => outputSection(output, open)));
    document.body.dataset.converted = String(Number(document.body.dataset.converted || 0) + 1);
  }

  // An imported image's bitmaps as made; a given .xbm as its text declares it.
  function previewsOf(result) {
    if (result.bitmaps.length > 0) return result.bitmaps;
    return given.files.filter((file) => isBitmap(file.path)).map((file) => {
      const text = new TextDecoder('latin1').decode(file.bytes);
      const width = Number((text.match(/_width\s+(\d+)/) || [])[1]);
      const height = Number((text.match(/_height\s+(\d+)/) || [])[1]);
      const bits = Uint8Array.from(text.match(/0x[0-9a-f]{1,2}(?![0-9a-f])/gi) || [], (literal) => Number(literal));
      return { name: leaf(file.path), width, height, bits };
    }).filter((bitmap) => bitmap.width > 0 && bitmap.height > 0 && bitmap.width <= 4096 && bitmap.height <= 4096);
  }

  function figure(bitmap) {
    const canvas = document.createElement('canvas');
    canvas.width = bitmap.width;
    canvas.height = bitmap.height;
    const scale = Math.max(1, Math.min(4, Math.floor(256 / Math.max(bitmap.width, bitmap.height))));
    canvas.style.width = `${bitmap.width * scale}px`;
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-label', `${bitmap.name}, ${bitmap.width} by ${bitmap.height} pixels`);
    const context = canvas.getContext('2d');
    const pixels = context.createImageData(bitmap.width, bitmap.height);
    const rowBytes = (bitmap.width + 7) >> 3;
    for (let y = 0; y < bitmap.height; ++y) {
      for (let x = 0; x < bitmap.width; ++x) {
        const lit = (bitmap.bits[y * rowBytes + (x >> 3)] >> (x & 7)) & 1;
        const at = (y * bitmap.width + x) * 4;
        pixels.data.set(lit ? [140, 220, 255, 255] : [5, 7, 10, 255], at);
      }
    }
    context.putImageData(pixels, 0, 0);
    const item = document.createElement('figure');
    const caption = document.createElement('figcaption');
    caption.textContent = `${bitmap.name} (${bitmap.width} x ${bitmap.height})`;
    item.append(canvas, caption);
    return item;
  }

  const leaf = (path) => path.slice(path.lastIndexOf('/') + 1);

  function note(text) {
    const made = document.createElement('p');
    made.textContent = text;
    return made;
  }

  function outputSection(output, open) {
    const name = leaf(output.path);
    const section = document.createElement('section');
    section.className = 'output';
    const header = document.createElement('header');
    const title = document.createElement('h3');
    title.textContent = name;
    const copy = button('Copy', `Copy ${name}`, async () => {
      await navigator.clipboard.writeText(output.text).catch(() => {});
      copy.textContent = 'Copied';
    });
    const download = button('Download', `Download ${name}`, () => save(name, output.text));
    header.append(title, copy, download);
    const folded = document.createElement('details');
    folded.open = open;
    const summary = document.createElement('summary');
    summary.textContent = `${name}, ${output.text.length} characters`;
    const text = document.createElement('pre');
    // A batch's folded headers get their text when opened: hundreds of
    // them would otherwise hold up the page.
    const fill = () => { text.textContent = output.text; };
    if (open) fill(); else folded.addEventListener('toggle', fill, { once: true });
    folded.append(summary, text);
    section.append(header, folded);
    return section;
  }

  function button(label, description, action) {
    const made = document.createElement('button');
    made.type = 'button';
    made.textContent = label;
    made.setAttribute('aria-label', description);
    made.addEventListener('click', action);
    return made;
  }

  function save(name, text) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([text], { type: 'text/plain' }));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  }

  // A file's bytes, no more than the command line reads. Only a file of more
  // than one piece is asked its size first, which costs a round trip to the
  // browser: for hundreds of small files, more than reading them.
  async function boundedBytes(file) {
    const reader = file.stream().getReader();
    const parts = [];
    let size = 0;
    for (let part; !(part = await reader.read()).done;) {
      size += part.value.length;
      if ((parts.length === 1 && file.size > kLargestSource) || size > kLargestSource) {
        reader.cancel();
        return { size: Math.max(size, file.size), bytes: new Uint8Array(0) };
      }
      parts.push(part.value);
    }
    if (parts.length === 1) return { size, bytes: parts[0] };
    const bytes = new Uint8Array(size);
    parts.reduce((at, part) => (bytes.set(part, at), at + part.length), 0);
    return { size, bytes };
  }

  // The latest files given replace any still being read.
  let latest = 0;
  async function read(files, folder) {
    performance.mark('lumivane-given');
    const batch = ++latest;
    const chosen = request();
    let read;
    try {
      read = await Promise.all(files.map(async ({ file, path }) => {
        const source = Object.assign({ path }, await boundedBytes(file).catch(() => {
          throw new Error(`${path} could not be read: moved, removed or changed since it was given.`);
        }));
        if (!folder && ready && batch === latest) await prepare(source, chosen);
        return source;
      }));
    } catch (failure) {
      if (batch === latest) $('box').textContent = failure.message;
      return running;
    }
    if (batch !== latest) return running;
    given = { folder, files: read };
    performance.measure('lumivane-read', 'lumivane-given');
    return run();
  }

  // A folder as the window lists it: its own files, not those of its subfolders.
  $('pick-folder').addEventListener('change', (event) => {
    const files = [...event.target.files];
    if (files.length === 0) return;
    const folder = files[0].webkitRelativePath.split('/')[0];
    const own = files.filter((file) => file.webkitRelativePath.split('/').length === 2);
    read(own.map((file) => ({ file, path: `./${folder}/${file.name}` })), `./${folder}`);
  });
  $('pick-files').addEventListener('change', (event) => {
    read([...event.target.files].map((file) => ({ file, path: `./${file.name}` })), '');
  });

  const drop = $('drop');
  drop.addEventListener('dragover', (event) => { event.preventDefault(); drop.classList.add('over'); });
  drop.addEventListener('dragleave', () => drop.classList.remove('over'));
  // A dropped folder's own files. Chromium lists a folder's entries only for
  // pages from a web server (a page opened from disk gets an EncodingError),
  // while its file system handles work on both.
  async function folderFiles(asked, entry) {
    const files = [];
    const handle = asked && await asked.catch(() => null);
    if (handle) {
      for await (const item of handle.values()) if (item.kind === 'file') files.push(item.getFile());
      return Promise.all(files);
    }
    const reader = entry.createReader();
    for (let batch; (batch = await new Promise((resolve, reject) => reader.readEntries(resolve, reject))).length > 0;) {
      for (const item of batch) if (item.isFile) files.push(new Promise((resolve, reject) => item.file(resolve, reject)));
    }
    return Promise.all(files);
  }

  drop.addEventListener('drop', (event) => {
    event.preventDefault();
    drop.classList.remove('over');
    // Taken while the drop lasts: its items are gone after it.
    const items = [...event.dataTransfer.items].filter((item) => item.kind === 'file');
    const entries = items.map((item) => item.webkitGetAsEntry && item.webkitGetAsEntry());
    const handle = entries[0] && entries[0].isDirectory && items[0].getAsFileSystemHandle ? items[0].getAsFileSystemHandle() : null;
    const files = [...event.dataTransfer.files];
    // The first item decides, as on the window: a folder, or files.
    if (entries[0] && entries[0].isDirectory) {
      const folder = `./${entries[0].name}`;
      folderFiles(handle, entries[0])
        .then((own) => read(own.map((file) => ({ file, path: `${folder}/${file.name}` })), folder))
        .catch((failure) => { $('box').textContent = String(failure); });
      return;
    }
    read(files.filter((file, i) => !(entries[i] && entries[i].isDirectory)).map((file) => ({ file, path: `./${file.name}` })), '');
  });

  $('settings').addEventListener('input', () => {
    performance.mark('lumivane-given');
    run();
  });
  $('settings').addEventListener('submit', (event) => event.preventDefault());
  Module.onRuntimeInitialized = () => { ready = true; document.body.dataset.ready = 'true'; run(); };
})();
