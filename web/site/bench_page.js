// The benchmark page's script: fetches the bundled film, sizes the canvas (in
// device pixels, whatever its size on screen), runs frame_bench with the frames
// and repeats of the address, and shows its lines; the last one is "median ms per
// frame: X", also on the console, where a script reads it.
'use strict';
(async function bench() {
  const result = document.getElementById('result');
  const lines = [];
  const show = line => {
    console.log(line);
    lines.push(line);
    result.textContent = lines.join('\n');
  };
  try {
    const params = new URLSearchParams(location.search);
    const frames = params.get('frames') || '0,100,4450,7250';
    const repeats = params.get('repeats') || '9';
    const [width, height] = (params.get('size') || '1280x720').split('x').map(Number);
    const canvas = document.getElementById('screen');
    canvas.width = width;
    canvas.height = height;
    const response = await fetch('camarabuena.txt');
    if (!response.ok)
      throw new Error(`camarabuena.txt cannot be fetched (HTTP ${response.status})`);
    const film = new Uint8Array(await response.arrayBuffer());
    const module = await crearBanco({ canvas, print: show, printErr: show });
    module.FS.writeFile('/camarabuena.txt', film);
    show(`browser: ${navigator.userAgent}`);
    module.callMain(['/camarabuena.txt', frames, repeats]);
    const gl = canvas.getContext('webgl');  // the program's own, made by main
    const info = gl && gl.getExtension('WEBGL_debug_renderer_info');
    if (info)
      show(`renderer: ${gl.getParameter(info.UNMASKED_RENDERER_WEBGL)}`);
  } catch (error) {
    show(`benchmark failed: ${error}`);
  }
})();
