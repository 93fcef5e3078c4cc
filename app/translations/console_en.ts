<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>ConsoleExtras</name>
    <message>
        <source>通讯诊断</source>
        <translation>Diagnostics</translation>
    </message>
    <message>
        <source>查找设备</source>
        <translation>Find device</translation>
    </message>
    <message>
        <source>运行趋势与启动记录</source>
        <translation>Trend and start records</translation>
    </message>
</context>
<context>
    <name>DiagnosticsWindow</name>
    <message>
        <source>通讯诊断</source>
        <translation>Diagnostics</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>保存为文本...</source>
        <translation>Save as text...</translation>
    </message>
    <message>
        <source>记录 %1 行（最多 %2 行）</source>
        <translation>%1 lines kept (at most %2)</translation>
    </message>
    <message>
        <source>，较早的 %1 行已移出</source>
        <translation>, %1 older lines pushed out</translation>
    </message>
    <message>
        <source>继续</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>保存通讯记录</source>
        <translation>Save the traffic record</translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation>Text files (*.txt)</translation>
    </message>
    <message>
        <source>无法保存到 %1</source>
        <translation>Cannot save to %1</translation>
    </message>
</context>
<context>
    <name>PortOpenReason</name>
    <message>
        <source>原因：%1 没有对应的串口硬件（设备文件在，设备不在）。</source>
        <translation>Reason: %1 has no serial port hardware behind it (the device file exists, the device does not).</translation>
    </message>
    <message>
        <source>原因：设备 %1 不存在（适配器未插好，或端口名有误）。</source>
        <translation>Reason: device %1 does not exist (adapter not plugged in, or a wrong port name).</translation>
    </message>
    <message>
        <source>本机没有找到串口设备。</source>
        <translation>No serial devices found on this machine.</translation>
    </message>
    <message>
        <source>本机现有的串口：%1</source>
        <translation>Serial ports on this machine: %1</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>原因：没有权限打开 %1。</source>
        <translation>Reason: no permission to open %1.</translation>
    </message>
    <message>
        <source>原因：没有权限打开 %1，它属于用户组 %2。</source>
        <translation>Reason: no permission to open %1; it belongs to the group %2.</translation>
    </message>
    <message>
        <source>用户 %1 已在 %2 组中，但设备不允许该组读写，请检查设备的权限。</source>
        <translation>User %1 is in the group %2, but the device does not allow that group to read and write; check the device&apos;s permissions.</translation>
    </message>
    <message>
        <source>用户 %1 已加入 %2 组，注销后重新登录才生效。</source>
        <translation>User %1 has been added to the group %2; log out and in again for it to take effect.</translation>
    </message>
    <message>
        <source>用户 %1 不在 %2 组中。加入该组后注销并重新登录：
sudo adduser %1 %2</source>
        <translation>User %1 is not in the group %2. Join it, then log out and in again:
sudo adduser %1 %2</translation>
    </message>
    <message>
        <source>原因：%1 正被其他程序占用。</source>
        <translation>Reason: %1 is in use by another program.</translation>
    </message>
    <message>
        <source>%1（进程号 %2）</source>
        <translation>%1 (process %2)</translation>
    </message>
    <message>
        <source>原因：%1 正被其他程序占用：%2。
关闭该程序后再打开串口。</source>
        <translation>Reason: %1 is in use by another program: %2.
Close that program, then open the port again.</translation>
    </message>
    <message>
        <source>原因：%1 是一个目录，不是串口设备。</source>
        <translation>Reason: %1 is a directory, not a serial device.</translation>
    </message>
    <message>
        <source>原因：%1 是一个普通文件，不是串口设备。</source>
        <translation>Reason: %1 is a regular file, not a serial device.</translation>
    </message>
    <message>
        <source>原因：%1 不是串口设备。</source>
        <translation>Reason: %1 is not a serial device.</translation>
    </message>
    <message>
        <source>原因：打开了 %1，但读不出它的串口参数（错误码 %2）。</source>
        <translation>Reason: %1 opened, but its line settings could not be read (error %2).</translation>
    </message>
    <message>
        <source>原因：打开 %1 失败（错误码 %2）。</source>
        <translation>Reason: opening %1 failed (error %2).</translation>
    </message>
    <message>
        <source>原因：无法启动串口的读写线程。</source>
        <translation>Reason: the serial port&apos;s reader and writer threads could not be started.</translation>
    </message>
</context>
<context>
    <name>ScanWindow</name>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 分 %2 秒</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>查找设备</source>
        <translation>Find device</translation>
    </message>
    <message>
        <source>找到第一个站即停止</source>
        <translation>Stop at the first station found</translation>
    </message>
    <message>
        <source>到</source>
        <translation>to</translation>
    </message>
    <message>
        <source>站号从</source>
        <translation>Stations from</translation>
    </message>
    <message>
        <source>应答等待</source>
        <translation>Answer wait</translation>
    </message>
    <message>
        <source>开始查找</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>只发读请求（功能码 03，块 0），不写任何寄存器。查找期间暂停通讯。</source>
        <translation>Sends read requests only (function 03, block 0) and writes no register. Communication is paused while the scan runs.</translation>
    </message>
    <message>
        <source>站号</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>位元</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>应答</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>往返</source>
        <translation>Round trip</translation>
    </message>
    <message>
        <source>应用到端口设置</source>
        <translation>Apply to the port settings</translation>
    </message>
    <message>
        <source>站号范围无效：起始站号不能大于结束站号。</source>
        <translation>Invalid station range: the first station cannot be above the last.</translation>
    </message>
    <message>
        <source>%1 次尝试，找不到设备时最长用时：%2；共 %3。</source>
        <translation>%1 tries; longest time with no device found: %2; %3 in all.</translation>
    </message>
    <message>
        <source>异常应答 %1</source>
        <translation>exception %1</translation>
    </message>
    <message>
        <source>正常</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>迟到</source>
        <translation>late</translation>
    </message>
    <message>
        <source>正在试：%1 bps %2 站号 %3，已找到 %4 个站</source>
        <translation>Trying %1 bps %2 station %3; %4 station(s) found</translation>
    </message>
    <message>
        <source>已取消，找到 %1 个站。端口设置已恢复。</source>
        <translation>Cancelled; %1 station(s) found. The port settings are restored.</translation>
    </message>
    <message>
        <source>查找完毕，找到 %1 个站。选中一行可应用它的设置。</source>
        <translation>Scan finished; %1 station(s) found. Select a row to apply its settings.</translation>
    </message>
    <message>
        <source>查找完毕，没有站应答。检查接线、终端电阻和站号范围。</source>
        <translation>Scan finished; no station answered. Check the wiring, the termination and the station range.</translation>
    </message>
    <message>
        <source>已试 %1 / %2 次（%3%）</source>
        <translation>%1 of %2 tries (%3%)</translation>
    </message>
    <message>
        <source>已应用：站号 %1，%2 bps，%3。</source>
        <translation>Applied: station %1, %2 bps, %3.</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>StationScanRunner</name>
    <message>
        <source>串口断开了</source>
        <translation>The port was disconnected</translation>
    </message>
    <message>
        <source>查找已在进行</source>
        <translation>A scan is already running</translation>
    </message>
    <message>
        <source>查找范围无效</source>
        <translation>Invalid scan range</translation>
    </message>
    <message>
        <source>未知的位元格式 %1</source>
        <translation>Unknown frame format %1</translation>
    </message>
    <message>
        <source>打开串口错误</source>
        <translation>Cannot open the serial port</translation>
    </message>
    <message>
        <source>发送失败</source>
        <translation>Sending failed</translation>
    </message>
</context>
<context>
    <name>StatisticsPanel</name>
    <message>
        <source>未收到</source>
        <translation>not received</translation>
    </message>
    <message>
        <source>%1 秒前</source>
        <translation>%1 s ago</translation>
    </message>
    <message>
        <source>请求</source>
        <translation>Requests</translation>
    </message>
    <message>
        <source>未发出</source>
        <translation>Not sent</translation>
    </message>
    <message>
        <source>已解码应答</source>
        <translation>Replies decoded</translation>
    </message>
    <message>
        <source>写入回显</source>
        <translation>Write echoes</translation>
    </message>
    <message>
        <source>异常应答</source>
        <translation>Exception replies</translation>
    </message>
    <message>
        <source>CRC 错误</source>
        <translation>CRC errors</translation>
    </message>
    <message>
        <source>不完整</source>
        <translation>Incomplete</translation>
    </message>
    <message>
        <source>无对应请求</source>
        <translation>Answered nothing</translation>
    </message>
    <message>
        <source>其中迟到</source>
        <translation>of which late</translation>
    </message>
    <message>
        <source>噪声</source>
        <translation>Noise</translation>
    </message>
    <message>
        <source>放弃的请求</source>
        <translation>Requests given up</translation>
    </message>
    <message>
        <source>往返 最近</source>
        <translation>Round trip, last</translation>
    </message>
    <message>
        <source>往返 最短</source>
        <translation>Round trip, min</translation>
    </message>
    <message>
        <source>往返 平均</source>
        <translation>Round trip, mean</translation>
    </message>
    <message>
        <source>往返 最长</source>
        <translation>Round trip, max</translation>
    </message>
    <message>
        <source>往返 不确定</source>
        <translation>Round trip unknown</translation>
    </message>
    <message>
        <source>块 %1 数值</source>
        <translation>Block %1 values</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>打开串口</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>关闭串口</source>
        <translation>Close port</translation>
    </message>
    <message>
        <source>Y5  控制界面</source>
        <extracomment>The title bar across the window; &quot;Y5&quot; is the device series, two blanks follow it.</extracomment>
        <translation>Y5  Control Panel</translation>
    </message>
    <message>
        <source>端口: </source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>波特率:   </source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>位元: </source>
        <extracomment>The frame format: data bits, parity, stop bits (&quot;8_N_2&quot;).</extracomment>
        <translation>Format:</translation>
    </message>
    <message>
        <source>通讯</source>
        <extracomment>Check box &quot;communication&quot;: while it is ticked the console polls the device.</extracomment>
        <translation>Comm</translation>
    </message>
    <message>
        <source>地址:   </source>
        <extracomment>The device&apos;s station address on the line, 1 to 255.</extracomment>
        <translation>Address:</translation>
    </message>
    <message>
        <source>打开串口错误</source>
        <translation>Cannot open the serial port</translation>
    </message>
    <message>
        <source>警报：</source>
        <translation>Alarms:</translation>
    </message>
    <message>
        <source>启动电压%：</source>
        <extracomment>The motor&apos;s starting voltage, in percent of the full voltage.</extracomment>
        <translation>Starting voltage %:</translation>
    </message>
    <message>
        <source>输出量：</source>
        <extracomment>The soft starter&apos;s output level, in percent.</extracomment>
        <translation>Output:</translation>
    </message>
    <message>
        <source>温度：</source>
        <extracomment>Before the thermometer there is room for a short word only (about 55 px).</extracomment>
        <translation>Temp.:</translation>
    </message>
    <message>
        <source>缓启动时间：</source>
        <translation>Soft start time:</translation>
    </message>
    <message>
        <source>缓停止时间：</source>
        <translation>Soft stop time:</translation>
    </message>
    <message>
        <source>报警</source>
        <extracomment>The state of an alarm lamp, read by screen readers: the alarm is raised.</extracomment>
        <translation>alarm</translation>
    </message>
    <message>
        <source>正常</source>
        <extracomment>The state of an alarm lamp, read by screen readers: no alarm.</extracomment>
        <translation>normal</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>修改参数</source>
        <translation>Change Parameters</translation>
    </message>
    <message>
        <source>小数点: </source>
        <translation>Decimals:</translation>
    </message>
    <message>
        <source>菜单自动 </source>
        <extracomment>With the next caption: the time after which the device&apos;s menu closes by itself.</extracomment>
        <translation>Menu auto</translation>
    </message>
    <message>
        <source>退出时间: </source>
        <translation>exit time:</translation>
    </message>
    <message>
        <source>输入信号: </source>
        <translation>Input:</translation>
    </message>
    <message>
        <source>下限值:</source>
        <translation>Low limit:</translation>
    </message>
    <message>
        <source>上限值:</source>
        <translation>High limit:</translation>
    </message>
    <message>
        <source>迂回值:</source>
        <extracomment>The hysteresis of the device&apos;s limit alarms.</extracomment>
        <translation>Hysteresis:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TrafficText</name>
    <message>
        <source> …（共 %1 字节）</source>
        <translation> … (%1 bytes)</translation>
    </message>
    <message>
        <source>，往返 %1 ms</source>
        <translation>, round trip %1 ms</translation>
    </message>
    <message>
        <source>，往返 %1-%2 ms（可能应答其中任一请求）</source>
        <translation>, round trip %1-%2 ms (may answer any of these requests)</translation>
    </message>
    <message>
        <source>读块 %1（寄存器 %2-%3）</source>
        <translation>Read block %1 (registers %2-%3)</translation>
    </message>
    <message>
        <source>有效应答，但它的请求已超过 10 秒被放弃（迟到）</source>
        <translation>Valid reply, but its request was given up after 10 s (late)</translation>
    </message>
    <message>
        <source>有效应答，但无法确定它应答的是哪个块（不解码）</source>
        <translation>Valid reply, but which block it answers cannot be told (not decoded)</translation>
    </message>
    <message>
        <source>有效应答，但来自站号 %1，没有向它发过请求</source>
        <translation>Valid reply, but from station %1, to which no request went</translation>
    </message>
    <message>
        <source>有效应答，但没有等待应答的请求</source>
        <translation>Valid reply, but no request was waiting for it</translation>
    </message>
    <message>
        <source>放弃：读块 %1 的请求 %2 秒无应答</source>
        <translation>Given up: read of block %1 unanswered for %2 s</translation>
    </message>
    <message>
        <source>放弃：写寄存器 %1 = %2 的请求 %3 秒无回显</source>
        <translation>Given up: write of register %1 = %2 not echoed for %3 s</translation>
    </message>
    <message>
        <source>非法功能</source>
        <translation>illegal function</translation>
    </message>
    <message>
        <source>非法数据地址</source>
        <translation>illegal data address</translation>
    </message>
    <message>
        <source>非法数据值</source>
        <translation>illegal data value</translation>
    </message>
    <message>
        <source>从站设备故障</source>
        <translation>slave device failure</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>acknowledge</translation>
    </message>
    <message>
        <source>从站设备忙</source>
        <translation>slave device busy</translation>
    </message>
    <message>
        <source>存储奇偶校验错误</source>
        <translation>memory parity error</translation>
    </message>
    <message>
        <source>网关路径不可用</source>
        <translation>gateway path unavailable</translation>
    </message>
    <message>
        <source>网关目标设备无响应</source>
        <translation>gateway target device failed to respond</translation>
    </message>
    <message>
        <source>未知异常</source>
        <translation>unknown exception</translation>
    </message>
    <message>
        <source>，未发出（串口未打开）</source>
        <translation>, not sent (port closed)</translation>
    </message>
    <message>
        <source>写寄存器 %1 = %2</source>
        <translation>Write register %1 = %2</translation>
    </message>
    <message>
        <source>应答：块 %1</source>
        <translation>Reply: block %1</translation>
    </message>
    <message>
        <source>写入回显：寄存器 %1 = %2</source>
        <translation>Write echo: register %1 = %2</translation>
    </message>
    <message>
        <source>异常应答：功能码 %1，异常码 %2 %3</source>
        <translation>Exception reply: function %1, code %2 %3</translation>
    </message>
    <message>
        <source>不完整的应答（被截断）</source>
        <translation>Incomplete reply (cut short)</translation>
    </message>
    <message>
        <source>CRC 错误</source>
        <translation>CRC error</translation>
    </message>
    <message>
        <source>噪声（不是应答）</source>
        <translation>Noise (no reply)</translation>
    </message>
</context>
<context>
    <name>TrendChart</name>
    <message>
        <source>输出 (%)</source>
        <translation>Output (%)</translation>
    </message>
    <message>
        <source>电流 (A)</source>
        <translation>Current (A)</translation>
    </message>
    <message>
        <source>温度 (°C)</source>
        <translation>Temperature (°C)</translation>
    </message>
    <message>
        <source>输出</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>电流</source>
        <translation>Current</translation>
    </message>
    <message>
        <source>温度</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>对比记录 输出</source>
        <translation>Compared record: output</translation>
    </message>
    <message>
        <source>对比记录 电流</source>
        <translation>Compared record: current</translation>
    </message>
    <message>
        <source>对比记录 温度</source>
        <translation>Compared record: temperature</translation>
    </message>
    <message>
        <source>运行命令</source>
        <translation>Run command</translation>
    </message>
    <message>
        <source>停止命令</source>
        <translation>Stop command</translation>
    </message>
    <message>
        <source>运行状态改变</source>
        <translation>Run state changed</translation>
    </message>
    <message>
        <source>警报升起</source>
        <translation>Alarm raised</translation>
    </message>
    <message>
        <source>%1 运行命令</source>
        <translation>%1 run command</translation>
    </message>
    <message>
        <source>%1 停止命令</source>
        <translation>%1 stop command</translation>
    </message>
    <message>
        <source>%1 电机运行</source>
        <translation>%1 motor running</translation>
    </message>
    <message>
        <source>%1 电机停止</source>
        <translation>%1 motor stopped</translation>
    </message>
    <message>
        <source>%1 警报位 %2 升起</source>
        <translation>%1 alarm bit %2 raised</translation>
    </message>
</context>
<context>
    <name>TrendCsv</name>
    <message>
        <source>时间 (ISO 8601)</source>
        <translation>Time (ISO 8601)</translation>
    </message>
    <message>
        <source>自启动 (s)</source>
        <translation>Since start (s)</translation>
    </message>
    <message>
        <source>输出 (%)</source>
        <translation>Output (%)</translation>
    </message>
    <message>
        <source>电流 (A)</source>
        <translation>Current (A)</translation>
    </message>
    <message>
        <source>温度 (°C)</source>
        <translation>Temperature (°C)</translation>
    </message>
    <message>
        <source>运行 (0/1)</source>
        <translation>Running (0/1)</translation>
    </message>
    <message>
        <source>警报位 (寄存器 7)</source>
        <translation>Alarm bits (register 7)</translation>
    </message>
    <message>
        <source>无法写入文件 %1：%2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <source>没有文件名</source>
        <translation>No file name</translation>
    </message>
</context>
<context>
    <name>TrendWindow</name>
    <message>
        <source>运行趋势与启动记录</source>
        <translation>Trend and start records</translation>
    </message>
    <message>
        <source>跟踪启动</source>
        <translation>Follow the start</translation>
    </message>
    <message>
        <source>启动记录进行中只读取输出、电流和温度，设备一应答就再读；记录结束后恢复正常轮询</source>
        <translation>While a start is recorded, read only output, current and temperature, again as soon as the device answers; the usual polling resumes when the record ends</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>实时</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>导出趋势 CSV</source>
        <translation>Export trend CSV</translation>
    </message>
    <message>
        <source>导出图表 PNG</source>
        <translation>Export chart PNG</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>启动时间</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>加速时间 (s)</source>
        <translation>Ramp time (s)</translation>
    </message>
    <message>
        <source>峰值电流 (A)</source>
        <translation>Peak current (A)</translation>
    </message>
    <message>
        <source>峰值时刻 (s)</source>
        <translation>Peak at (s)</translation>
    </message>
    <message>
        <source>加速结束电流 (A)</source>
        <translation>Current at ramp end (A)</translation>
    </message>
    <message>
        <source>温升 (°C)</source>
        <translation>Temperature rise (°C)</translation>
    </message>
    <message>
        <source>结束</source>
        <translation>End</translation>
    </message>
    <message>
        <source>叠加到趋势</source>
        <translation>Draw over the trend</translation>
    </message>
    <message>
        <source>导出所选记录 CSV</source>
        <translation>Export selected record CSV</translation>
    </message>
    <message>
        <source>最近十次启动记录</source>
        <translation>Last ten start records</translation>
    </message>
    <message>
        <source>超时</source>
        <translation>timed out</translation>
    </message>
    <message>
        <source>满输出</source>
        <translation>full output</translation>
    </message>
    <message>
        <source>电机停止</source>
        <translation>motor stopped</translation>
    </message>
    <message>
        <source> (命令)</source>
        <translation> (command)</translation>
    </message>
    <message>
        <source>未到满输出</source>
        <translation>full output not reached</translation>
    </message>
    <message>
        <source>样本 %1 个，占用 %2 KB</source>
        <translation>%1 samples, %2 KB</translation>
    </message>
    <message>
        <source>，正在记录第 %1 次启动</source>
        <translation>, recording start %1</translation>
    </message>
    <message>
        <source>请先在列表中选择一个启动记录</source>
        <translation>Select a start record in the list first</translation>
    </message>
    <message>
        <source>无法生成图表图像</source>
        <translation>Cannot make the chart image</translation>
    </message>
    <message>
        <source>导出趋势</source>
        <translation>Export the trend</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>导出启动记录</source>
        <translation>Export the start record</translation>
    </message>
    <message>
        <source>导出图表</source>
        <translation>Export the chart</translation>
    </message>
    <message>
        <source>PNG 图像 (*.png)</source>
        <translation>PNG images (*.png)</translation>
    </message>
</context>
</TS>
